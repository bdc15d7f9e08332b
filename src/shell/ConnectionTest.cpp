#include "shell/ConnectionTest.h"

bool TConnectionTestMachine::Tick(int Selected, quint64 Now) {
    switch (FState) {
    case tsIdle:
        if (Selected >= 0 && Selected != FRow) {
            FRow = Selected;
            FState = tsWaiting;
            FSince = Now;
        }
        return false;
    case tsWaiting:
        if (Selected < 0) {
            FRow = -1;
            FState = tsIdle;
        } else if (Selected != FRow) {
            FRow = Selected;
            FSince = Now;
        } else if (Now - FSince > kSettleMs) {
            FState = tsTesting;
        }
        return false;
    case tsTesting:
        if (Selected < 0) {
            FRow = -1;
            FState = tsIdle;
            return false;
        }
        if (Selected != FRow) {
            FRow = Selected;
            FState = tsWaiting;
            FSince = Now;
            return false;
        }
        return true;
    }
    return false;
}
