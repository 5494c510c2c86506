#pragma once

#include "link/downloadevents.h"

#include <string>
#include <vector>

// Keeps the channel's messages a download tells of.
class CChannelMessages final : public IDownloadEvents
{
public:
    void OnEvent(const AnyDownloadEvent& event) override
    {
        if (const auto* pMessage = std::get_if<DownloadEvent::ChannelMessage>(&event))
            m_messages.push_back(pMessage->strText);
    }

    std::vector<std::string> m_messages;
};
