#include "UsbPopup.h"

#include "PopupLayout.h"

UsbPopup::UsbPopup()
{
    ConstructLayout();
}

UsbPopup::~UsbPopup() = default;

void UsbPopup::ConstructLayout()
{
    popuplayout::Build(*this, BackgroundBox, BackgroundImage, "./Images/USBPOPUP.png",
                       {{&CodeRowBox, &SubsystemRowBox, &MessageRowBox, &DetailRowBox},
                        {&CodeRowLabel, &SubsystemRowLabel, &MessageRowLabel, &DetailRowLabel}},
                       "#f2a15a");
}

void UsbPopup::UpdateMessage(std::string first, std::string second)
{
    SubsystemRowLabel.set_text("TEST CATEGORY");
    MessageRowLabel.set_text(first);
    DetailRowLabel.set_text(second);
}
