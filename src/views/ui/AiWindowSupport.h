#pragma once

#include <QColor>
#include <QString>
#include <functional>

class QWidget;
class TCustomZUVOChannel;
class TDm;

// What the analog input window and its dialogs share.

// A message for the user: through Hook when assigned (tests), else in a plain message box.
using TMessageHook = std::function<void(const QString& Text)>;
void ShowMessage(QWidget* Parent, const TMessageHook& Hook, const QString& Text);

// The text colour of a label (or a button) while it is enabled; disabled it greys as usual.
void SetTextColour(QWidget* Widget, const QColor& Colour);
// Back to the style's own colour.
void ResetTextColour(QWidget* Widget);

// The busy cursor for the lifetime of the object.
class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// The type code of the device the windows work on; 0xFFFF (no such type) without one.
quint32 CurrentTypeCode(const TDm& Dm);
// A channel window may start an exchange: it is not inside one of its own and the channel's access
// point is not waiting for an answer.
bool ChannelIdle(bool Busy, const TCustomZUVOChannel* Channel);
