#pragma once

#include "userdialogs.h"

class Transcript;

// The operator of the tour: answers every question so that the tour goes on (Yes, OK,
// Ignore), cancels file and font choices, and notes each message in the transcript.
class TourDialogs final : public vornal::UserDialogs {
public:
    explicit TourDialogs(Transcript& transcript) : m_transcript(transcript) {}

    vornal::DialogAnswer message(const vornal::MessageRequest& request) override;
    QString openFile(const vornal::FileRequest&) override { return {}; }
    QString saveFile(const vornal::FileRequest&) override { return {}; }
    std::optional<vornal::FontChoice> chooseFont(const vornal::FontChoice&) override { return {}; }
    std::optional<quint32> chooseColour(quint32, const QString&) override { return {}; }

private:
    Transcript& m_transcript;
};
