#pragma once

#include "player/binding/ZelkorEvents.h"

// Raises the events of one converted notification: OnNotifyMessage first (it
// may change the message), then the typed event of the code it leaves. Codes
// without an event (93, 104-110, anything outside 62-103 and 111-112) raise
// nothing more;
// an equalizer notification without bands raises only OnNotifyMessage.
void DispatchNotification(QObject* Sender, const TZelkorEvents& Events, ZK_Message& Msg);
