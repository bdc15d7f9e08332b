#pragma once

#include <QString>

// A raw pseudo-terminal pair: the program opens SlavePath() like a serial port, the test talks on
// Master(). Both ends close with the object.
class TPtyPair {
public:
    TPtyPair();
    ~TPtyPair();
    TPtyPair(const TPtyPair&) = delete;
    TPtyPair& operator=(const TPtyPair&) = delete;

    bool Ok() const { return FMaster >= 0; }
    int Master() const { return FMaster; }
    QString SlavePath() const { return FPath; }
    // Closes the master end now (the port vanishes under whoever holds the slave).
    void CloseMaster();

private:
    int FMaster = -1;
    int FSlave = -1;
    QString FPath;
};
