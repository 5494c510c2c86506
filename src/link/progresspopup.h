#pragma once

#include <string>

// The small always-on-top window of a download: caption, message, a progress
// bar and a Cancel button that posts a message to its owner. Every operation
// may be called while no window exists; it then only stores its value.
class IProgressPopup
{
public:
    virtual void SetPopupWidth(int nPixels) = 0;
    virtual void SetCaption(const std::string& strCaption) = 0;
    virtual void SetMessage(const std::string& strText, bool bRelayout) = 0;
    virtual void SetLimit(unsigned nLimit) = 0;
    virtual void EnableCancel(bool bEnable) = 0;
    virtual void SetCancelMessage(unsigned nMessage) = 0;
    virtual void SetAnimationId(unsigned nAnimationId) = 0;
    virtual void CreatePopup() = 0;
    virtual void ClosePopup() = 0;
    virtual void ResetBar() = 0;
    virtual void Advance(unsigned nStep) = 0;

protected:
    ~IProgressPopup() = default;
};
