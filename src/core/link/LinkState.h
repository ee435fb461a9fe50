#pragma once
#include "CommSendRecord.h"

#include <QString>

namespace zel {

class LinkClient;

// The link state shared by every screen; cleared by LinkEngine::ResetLinkState.
struct LinkState {
    int ScreenCode = ScreenIdle;
    LinkClient* WaitingForm = nullptr;
    int ExpectedReplyKind = 0;
    QString LastSentFrame;
    QString ReceiveBuffer; // hex text of the reply gathered so far, at most 1024 characters
    int TitleTransferFlag = 0;
    int BlockNo = 0;
    int TitleEndNo = 0;
    int BusyCount = 0;
};

} // namespace zel
