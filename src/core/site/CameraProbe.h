#pragma once
// Asks one camera for its camera title, a read that changes nothing, to learn whether it is
// on the line. It goes out under the communication test's screen code: any answer counts,
// nothing is retried, and a camera that stays silent ends in the reply time-out.
//
//   request  B1 | 02 (camera title) | 00 00   request "True"
//   answer   ACK, NACK, BUSY or a data reply: the camera is there
#include "link/LinkClient.h"
#include "titletable/TitleCharTable.h"

#include <QString>
#include <functional>

namespace zel {

class LinkEngine;

struct ProbeAnswer {
    bool answered = false;
    QString kind;  // "ACK", "NACK", "BUSY", "data", "bad reply"; empty when silent
    QString title; // the camera title of a good data reply
};

class CameraProbe : public LinkClient {
public:
    static constexpr int kScreenCode = 5;

    CameraProbe(LinkEngine& engine, int languageIndex);

    // Sends the request to `camera`; false when it could not go out (port closed, the link
    // busy). The answer comes through onAnswer.
    bool probe(int camera, const QString& remoteNo);
    std::function<void(int camera, const ProbeAnswer& answer)> onAnswer;

    void replyComplete() override;
    void replyTimedOut() override;

private:
    LinkEngine& m_engine;
    TitleCharTable m_titles;
    int m_camera = 0;
};

} // namespace zel
