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
    popuplayout::ShowRow(SubsystemRowLabel, 1, "TEST CATEGORY");
    popuplayout::ShowRow(MessageRowLabel, 2, first);
    popuplayout::ShowRow(DetailRowLabel, 3, second);
}
