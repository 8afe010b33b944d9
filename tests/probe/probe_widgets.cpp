// A small dialog built the way the plug-in builds its own: a main window
// with close boxes, a caption, a push button and a check box, and one
// callback on the window that hears what its children report.
#include "XPLMPlugin.h"
#include "XPStandardWidgets.h"
#include "XPWidgets.h"
#include "probe.h"

namespace {

// Clear of the probe's windows, so clicks meant for them never land here.
constexpr int kDialogLeft = 550;
constexpr int kDialogTop = 850;
constexpr int kDialogRight = 850;
constexpr int kDialogBottom = 700;

ProbeValue buttonPresses{"probe/button_presses"};
ProbeValue closePushes{"probe/close_pushes"};
ProbeValue checkChanges{"probe/check_changes"};
ProbeValue addedCallbackCreated{"probe/widget_callback_created"};
ProbeValue callbackCaller{"probe/widget_callback_caller"};  // XPLMGetMyID inside it
ProbeValue* const kPublished[] = {&buttonPresses, &closePushes, &checkChanges,
                                  &addedCallbackCreated, &callbackCaller};

XPWidgetID dialog = nullptr;
XPWidgetID okButton = nullptr;
XPWidgetID checkBox = nullptr;

int dialogHandler(XPWidgetMessage message, XPWidgetID, intptr_t param1, intptr_t) {
    callbackCaller.i = XPLMGetMyID();
    switch (message) {
        case xpMsg_Create:
            addedCallbackCreated.i = param1 == 1;
            return 0;
        case xpMsg_PushButtonPressed:
            if (param1 != reinterpret_cast<intptr_t>(okButton)) return 0;
            ++buttonPresses.i;
            return 1;
        case xpMsg_ButtonStateChanged:
            if (param1 != reinterpret_cast<intptr_t>(checkBox)) return 0;
            ++checkChanges.i;
            return 1;
        case xpMessage_CloseButtonPushed:
            ++closePushes.i;
            XPHideWidget(dialog);
            return 1;
        default:
            return 0;
    }
}

XPWidgetID addChild(int left, int top, int right, int bottom, const char* text,
                    XPWidgetClass widgetClass) {
    return XPCreateWidget(left, top, right, bottom, 1, text, 0, dialog, widgetClass);
}

}  // namespace

void startProbeWidgets() {
    for (ProbeValue* value : kPublished) publishInt(*value);
    dialog = XPCreateWidget(kDialogLeft, kDialogTop, kDialogRight, kDialogBottom, 1,
                            "Probe dialog", 1, nullptr, xpWidgetClass_MainWindow);
    XPSetWidgetProperty(dialog, xpProperty_MainWindowHasCloseBoxes, 1);
    addChild(kDialogLeft + 20, kDialogTop - 30, kDialogRight - 20, kDialogTop - 45,
             "Probe caption", xpWidgetClass_Caption);
    okButton = addChild(kDialogLeft + 30, kDialogBottom + 50, kDialogLeft + 110,
                        kDialogBottom + 30, "OK", xpWidgetClass_Button);
    XPSetWidgetProperty(okButton, xpProperty_ButtonType, xpPushButton);
    checkBox = addChild(kDialogRight - 130, kDialogBottom + 50, kDialogRight - 30,
                        kDialogBottom + 30, "Check", xpWidgetClass_Button);
    XPSetWidgetProperty(checkBox, xpProperty_ButtonType, xpRadioButton);
    XPSetWidgetProperty(checkBox, xpProperty_ButtonBehavior, xpButtonBehaviorCheckBox);
    XPAddWidgetCallback(dialog, dialogHandler);
}

void stopProbeWidgets() {
    XPDestroyWidget(dialog, 1);
    dialog = okButton = checkBox = nullptr;
    for (ProbeValue* value : kPublished) withdraw(*value);
}
