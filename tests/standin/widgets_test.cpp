// The widget library as plug-ins see it: a tree of widgets whose messages go
// to the newest handler first, then the class, then up to the parents, and
// dialogs that sit in host windows and answer the mouse.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "XPStandardWidgets.h"
#include "XPWidgets.h"
#include "standin/internal.h"
#include "support/host_fixture.h"

namespace {

using quiltest::HostTest;

// What the test's own widget callbacks heard, each under its tag.
struct Heard {
    int tag;
    XPWidgetMessage message;
    XPWidgetID widget;
    intptr_t param1;
    intptr_t param2;
    XPMouseState_t mouse;  // copied from param1 for mouse messages
};
std::vector<Heard> heard;

bool isMouseMessage(XPWidgetMessage message) {
    return message == xpMsg_MouseDown || message == xpMsg_MouseDrag || message == xpMsg_MouseUp;
}

// Logs every message under its tag and handles only the message `taken`.
template <int tag, XPWidgetMessage taken = -1>
int listener(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    XPMouseState_t mouse{0, 0, 0, 0};
    if (isMouseMessage(message) && param1 != 0) {
        mouse = *reinterpret_cast<const XPMouseState_t*>(param1);
    }
    heard.push_back({tag, message, widget, param1, param2, mouse});
    return message == taken ? 1 : 0;
}

std::vector<Heard> heardOf(XPWidgetMessage message) {
    std::vector<Heard> matching;
    for (const Heard& entry : heard) {
        if (entry.message == message) matching.push_back(entry);
    }
    return matching;
}

std::vector<int> tagsOf(const std::vector<Heard>& entries) {
    std::vector<int> tags;
    for (const Heard& entry : entries) tags.push_back(entry.tag);
    return tags;
}

intptr_t paramOf(XPWidgetID widget) { return reinterpret_cast<intptr_t>(widget); }

constexpr int kUserMessage = xpMsg_UserStart + 1;

constexpr int kWindowLeft = 100, kWindowTop = 600, kWindowRight = 500, kWindowBottom = 300;
constexpr int kChildLeft = 150, kChildTop = 500, kChildRight = 250, kChildBottom = 480;

class Widgets : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        heard.clear();
    }

    static XPWidgetID mainWindow(const char* title = "Window") {
        return XPCreateWidget(kWindowLeft, kWindowTop, kWindowRight, kWindowBottom, 1, title, 1,
                              nullptr, xpWidgetClass_MainWindow);
    }
    static XPWidgetID child(XPWidgetID parent, XPWidgetClass widgetClass, const char* text = "") {
        return XPCreateWidget(kChildLeft, kChildTop, kChildRight, kChildBottom, 1, text, 0, parent,
                              widgetClass);
    }
    static XPWidgetID button(XPWidgetID parent, int behaviour = xpButtonBehaviorPushButton) {
        XPWidgetID id = child(parent, xpWidgetClass_Button, "Button");
        XPSetWidgetProperty(id, xpProperty_ButtonBehavior, behaviour);
        return id;
    }
    static int hostWindowCount() {
        int count = 0;
        for (const standin::WindowInfo& window : standin::windows()) {
            if (window.owner == XPLM_PLUGIN_XPLANE) ++count;
        }
        return count;
    }
};

// ---- The tree ------------------------------------------------------------------

TEST_F(Widgets, WidgetsAreListedInCreationOrderWithTheirTree) {
    XPWidgetID window = mainWindow("Dialog");
    XPWidgetID caption = child(window, xpWidgetClass_Caption, "Caption");
    XPWidgetID okButton = child(window, xpWidgetClass_Button, "OK");
    XPWidgetID loose =
        XPCreateWidget(0, 10, 10, 0, 1, "Loose", 0, nullptr, xpWidgetClass_TextField);

    const std::vector<standin::WidgetInfo> all = standin::widgets();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].id, window);
    EXPECT_EQ(all[1].id, caption);
    EXPECT_EQ(all[2].id, okButton);
    EXPECT_EQ(all[3].id, loose);

    EXPECT_TRUE(all[0].root);
    EXPECT_EQ(all[0].parent, nullptr);
    EXPECT_EQ(all[0].widgetClass, xpWidgetClass_MainWindow);
    EXPECT_EQ(all[0].children, (std::vector<XPWidgetID>{caption, okButton}));
    EXPECT_EQ(all[1].parent, window);
    EXPECT_FALSE(all[1].root);
    EXPECT_EQ(all[2].widgetClass, xpWidgetClass_Button);
    EXPECT_EQ(all[2].descriptor, "OK");
    EXPECT_EQ(all[3].parent, nullptr);
    EXPECT_FALSE(all[3].root);
    EXPECT_EQ(standin::findWidget("Capt"), caption);
    EXPECT_EQ(standin::findWidget("nothing like it"), nullptr);
}

TEST_F(Widgets, HandlesAreDistinctAndNeverNull) {
    XPWidgetID first = mainWindow();
    XPWidgetID second = child(first, xpWidgetClass_Caption);
    EXPECT_NE(first, nullptr);
    EXPECT_NE(second, nullptr);
    EXPECT_NE(first, second);
}

TEST_F(Widgets, UnknownClassMakesNoWidget) {
    for (XPWidgetClass widgetClass : {xpWidgetClass_None, -1, 99}) {
        EXPECT_EQ(XPCreateWidget(0, 10, 10, 0, 1, "x", 1, nullptr, widgetClass), nullptr)
            << "class " << widgetClass;
    }
    EXPECT_TRUE(standin::widgets().empty());
    EXPECT_EQ(hostWindowCount(), 0);
}

TEST_F(Widgets, CustomWidgetHasNoStandardClass) {
    XPWidgetID custom =
        XPCreateCustomWidget(0, 10, 10, 0, 1, "Custom", 1, nullptr, listener<1>);
    EXPECT_EQ(standin::widgetInfo(custom).widgetClass, -1);
}

TEST_F(Widgets, StandardClassesOneToSixCanBeMade) {
    XPWidgetID window = mainWindow();
    for (XPWidgetClass widgetClass = xpWidgetClass_SubWindow; widgetClass <= xpWidgetClass_Caption;
         ++widgetClass) {
        XPWidgetID id = child(window, widgetClass);
        ASSERT_NE(id, nullptr) << "class " << widgetClass;
        EXPECT_EQ(standin::widgetInfo(id).widgetClass, widgetClass);
    }
}

TEST_F(Widgets, GeometryIsInScreenCoordinatesNotRelativeToTheParent) {
    XPWidgetID window = mainWindow();
    XPWidgetID caption = child(window, xpWidgetClass_Caption);
    int left = -1, top = -1, right = -1, bottom = -1;
    XPGetWidgetGeometry(caption, &left, &top, &right, &bottom);
    EXPECT_EQ(left, kChildLeft);
    EXPECT_EQ(top, kChildTop);
    EXPECT_EQ(right, kChildRight);
    EXPECT_EQ(bottom, kChildBottom);

    XPGetWidgetGeometry(window, nullptr, &top, nullptr, nullptr);  // outputs are optional
    EXPECT_EQ(top, kWindowTop);
}

// Corners anywhere in the int range are kept within the coordinate limit, so
// the host's own sums over them (centring, close boxes, hit tests) stay sound.
TEST_F(Widgets, ExtremeCornersAreKeptWithinTheCoordinateLimit) {
    constexpr int kLimit = standin::detail::kCoordinateLimitPx;
    XPWidgetID window = XPCreateWidget(INT_MIN, INT_MAX, INT_MAX, INT_MIN, 1, "Everywhere", 1,
                                       nullptr, xpWidgetClass_MainWindow);
    XPSetWidgetProperty(window, xpProperty_MainWindowHasCloseBoxes, 1);
    XPWidgetID caption = XPCreateWidget(INT_MAX, INT_MIN, INT_MIN, INT_MAX, 1, "Inside out", 0,
                                        window, xpWidgetClass_Caption);
    int left = 0, top = 0, right = 0, bottom = 0;
    XPGetWidgetGeometry(window, &left, &top, &right, &bottom);
    EXPECT_EQ(std::vector<int>({left, top, right, bottom}),
              std::vector<int>({-kLimit, kLimit, kLimit, -kLimit}));
    XPGetWidgetGeometry(caption, &left, &top, &right, &bottom);
    EXPECT_EQ(std::vector<int>({left, top, right, bottom}),
              std::vector<int>({kLimit, -kLimit, -kLimit, kLimit}));
    EXPECT_TRUE(standin::click(0, 0)) << "the window still takes the press";
    for (const standin::WindowInfo& hostWindow : standin::windows()) {
        EXPECT_LE(hostWindow.right, kLimit);
        EXPECT_GE(hostWindow.left, -kLimit);
    }
}

TEST_F(Widgets, DescriptorReadsBackLikeStrncpyAndReportsItsFullLength) {
    XPWidgetID field =
        XPCreateWidget(0, 10, 10, 0, 1, "first", 1, nullptr, xpWidgetClass_TextField);
    XPSetWidgetDescriptor(field, "Hello world");

    char small[8];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(XPGetWidgetDescriptor(field, small, 5), 11);
    EXPECT_EQ(std::string(small, sizeof small), "Hello###") << "cut short, unterminated";

    char large[16];
    std::memset(large, '#', sizeof large);
    EXPECT_EQ(XPGetWidgetDescriptor(field, large, sizeof large), 11);
    EXPECT_STREQ(large, "Hello world");
    EXPECT_EQ(large[15], '\0') << "the rest is zero-filled";

    EXPECT_EQ(XPGetWidgetDescriptor(field, nullptr, 0), 11) << "length query";
    EXPECT_EQ(XPGetWidgetDescriptor(field, small, -3), 11);

    XPSetWidgetDescriptor(field, nullptr);
    EXPECT_EQ(XPGetWidgetDescriptor(field, nullptr, 0), 0);
}

TEST_F(Widgets, DescriptorChangeTellsTheWidget) {
    XPWidgetID field = XPCreateWidget(0, 10, 10, 0, 1, "", 1, nullptr, xpWidgetClass_TextField);
    XPAddWidgetCallback(field, listener<1>);
    heard.clear();
    XPSetWidgetDescriptor(field, "new");
    EXPECT_EQ(heardOf(xpMsg_DescriptorChanged).size(), 1u);
}

TEST_F(Widgets, PropertyNeverSetReadsZeroAndASetOneReadsBack) {
    XPWidgetID okButton = child(mainWindow(), xpWidgetClass_Button, "OK");
    EXPECT_EQ(standin::widgetProperty(okButton, xpProperty_ButtonBehavior), 0);
    EXPECT_EQ(standin::widgetProperty(okButton, xpProperty_UserStart), 0);

    const intptr_t wide = intptr_t{1} << 40;  // pointer-sized values survive
    XPSetWidgetProperty(okButton, xpProperty_UserStart, wide);
    XPSetWidgetProperty(okButton, xpProperty_Refcon, 7);
    EXPECT_EQ(standin::widgetProperty(okButton, xpProperty_UserStart), wide);
    EXPECT_EQ(standin::widgetProperty(okButton, xpProperty_Refcon), 7);
}

TEST_F(Widgets, PropertyChangeTellsTheWidgetWhichAndWhat) {
    XPWidgetID window = mainWindow();
    XPAddWidgetCallback(window, listener<1>);
    heard.clear();
    XPSetWidgetProperty(window, xpProperty_MainWindowHasCloseBoxes, 1);
    const std::vector<Heard> changes = heardOf(xpMsg_PropertyChanged);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].param1, xpProperty_MainWindowHasCloseBoxes);
    EXPECT_EQ(changes[0].param2, 1);
}

// ---- Dispatch ------------------------------------------------------------------

TEST_F(Widgets, AddedCallbackHearsTheCreateMessageAtOnce) {
    XPWidgetID window = mainWindow();
    XPAddWidgetCallback(window, listener<1>);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].message, xpMsg_Create);
    EXPECT_EQ(heard[0].widget, window);
    EXPECT_EQ(heard[0].param1, 1);
}

TEST_F(Widgets, CustomWidgetFunctionHearsItsCreation) {
    XPWidgetID custom = XPCreateCustomWidget(0, 10, 10, 0, 1, "", 1, nullptr, listener<1>);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].message, xpMsg_Create);
    EXPECT_EQ(heard[0].widget, custom);
    EXPECT_EQ(heard[0].param1, 0);
}

TEST_F(Widgets, HandlersHearAMessageNewestFirstAndTheWidgetFunctionLast) {
    XPWidgetID custom = XPCreateCustomWidget(0, 10, 10, 0, 1, "", 1, nullptr, listener<0>);
    XPAddWidgetCallback(custom, listener<1>);
    XPAddWidgetCallback(custom, listener<2>);
    heard.clear();
    EXPECT_EQ(standin::sendWidgetMessage(custom, kUserMessage, xpMode_Direct, 0, 0), 0);
    EXPECT_EQ(tagsOf(heard), (std::vector<int>{2, 1, 0}));
}

TEST_F(Widgets, DispatchStopsAtTheFirstHandlerThatTakesTheMessage) {
    XPWidgetID custom = XPCreateCustomWidget(0, 10, 10, 0, 1, "", 1, nullptr, listener<0>);
    XPAddWidgetCallback(custom, listener<1, kUserMessage>);
    XPAddWidgetCallback(custom, listener<2>);
    heard.clear();
    EXPECT_EQ(standin::sendWidgetMessage(custom, kUserMessage, xpMode_Direct, 0, 0), 1);
    EXPECT_EQ(tagsOf(heard), (std::vector<int>{2, 1}));
}

TEST_F(Widgets, UpChainReachesTheParentsAsThemselvesWithTheOriginalParam1) {
    XPWidgetID window = mainWindow();
    XPWidgetID pane = child(window, xpWidgetClass_SubWindow);
    XPWidgetID field = child(pane, xpWidgetClass_TextField);
    XPAddWidgetCallback(window, listener<1>);
    XPAddWidgetCallback(pane, listener<2>);
    XPAddWidgetCallback(field, listener<3>);
    heard.clear();

    EXPECT_EQ(standin::sendWidgetMessage(field, kUserMessage, xpMode_UpChain, 77, 5), 0);
    ASSERT_EQ(tagsOf(heard), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(heard[0].widget, field);
    EXPECT_EQ(heard[1].widget, pane);
    EXPECT_EQ(heard[2].widget, window);
    for (const Heard& entry : heard) {
        EXPECT_EQ(entry.param1, 77) << "tag " << entry.tag;
        EXPECT_EQ(entry.param2, 5) << "tag " << entry.tag;
    }
}

TEST_F(Widgets, UpChainStopsAtTheParentThatTakesIt) {
    XPWidgetID window = mainWindow();
    XPWidgetID pane = child(window, xpWidgetClass_SubWindow);
    XPWidgetID field = child(pane, xpWidgetClass_TextField);
    XPAddWidgetCallback(window, listener<1>);
    XPAddWidgetCallback(pane, listener<2, kUserMessage>);
    heard.clear();
    EXPECT_EQ(standin::sendWidgetMessage(field, kUserMessage, xpMode_UpChain, 0, 0), 1);
    EXPECT_EQ(tagsOf(heard), (std::vector<int>{2}));
}

TEST_F(Widgets, RecursiveModeReachesEveryDescendantDepthFirst) {
    XPWidgetID window = mainWindow();
    XPWidgetID pane = child(window, xpWidgetClass_SubWindow);
    XPWidgetID field = child(pane, xpWidgetClass_TextField);
    XPWidgetID caption = child(window, xpWidgetClass_Caption);
    XPAddWidgetCallback(window, listener<1, kUserMessage>);
    XPAddWidgetCallback(pane, listener<2, kUserMessage>);
    XPAddWidgetCallback(field, listener<3>);
    XPAddWidgetCallback(caption, listener<4>);
    heard.clear();
    EXPECT_EQ(standin::sendWidgetMessage(window, kUserMessage, xpMode_Recursive, 0, 0), 1);
    EXPECT_EQ(tagsOf(heard), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(Widgets, AllCallbacksModeGoesOnPastATakerAndOnceStopsAfterTheNewest) {
    XPWidgetID custom = XPCreateCustomWidget(0, 10, 10, 0, 1, "", 1, nullptr, listener<0>);
    XPAddWidgetCallback(custom, listener<1, kUserMessage>);
    XPAddWidgetCallback(custom, listener<2>);
    heard.clear();
    EXPECT_EQ(standin::sendWidgetMessage(custom, kUserMessage, xpMode_DirectAllCallbacks, 0, 0), 1);
    EXPECT_EQ(tagsOf(heard), (std::vector<int>{2, 1, 0}));
    heard.clear();
    EXPECT_EQ(standin::sendWidgetMessage(custom, kUserMessage, xpMode_Once, 0, 0), 0);
    EXPECT_EQ(tagsOf(heard), (std::vector<int>{2}));
}

// ---- Buttons and close boxes ---------------------------------------------------------

TEST_F(Widgets, PressedButtonTellsItselfThenItsParentNamingItself) {
    XPWidgetID window = mainWindow();
    XPWidgetID okButton = button(window);
    XPAddWidgetCallback(window, listener<1>);
    XPAddWidgetCallback(okButton, listener<2>);
    heard.clear();

    EXPECT_TRUE(standin::pressButton(okButton));
    const std::vector<Heard> pressed = heardOf(xpMsg_PushButtonPressed);
    ASSERT_EQ(tagsOf(pressed), (std::vector<int>{2, 1}));
    EXPECT_EQ(pressed[0].widget, okButton);
    EXPECT_EQ(pressed[1].widget, window);
    EXPECT_EQ(pressed[0].param1, paramOf(okButton));
    EXPECT_EQ(pressed[1].param1, paramOf(okButton));
}

TEST_F(Widgets, OnlyAShownButtonCanBePressed) {
    XPWidgetID window = mainWindow();
    XPWidgetID okButton = button(window);
    XPWidgetID caption = child(window, xpWidgetClass_Caption);
    XPAddWidgetCallback(window, listener<1>);
    EXPECT_FALSE(standin::pressButton(caption));
    EXPECT_FALSE(standin::pressButton(window));
    XPHideWidget(window);
    EXPECT_FALSE(standin::pressButton(okButton)) << "inside a hidden window";
    EXPECT_TRUE(heardOf(xpMsg_PushButtonPressed).empty());
}

TEST_F(Widgets, CheckBoxTogglesItsStateAndReportsEachChange) {
    XPWidgetID window = mainWindow();
    XPWidgetID check = button(window, xpButtonBehaviorCheckBox);
    XPAddWidgetCallback(window, listener<1>);

    EXPECT_TRUE(standin::pressButton(check));
    EXPECT_EQ(standin::widgetProperty(check, xpProperty_ButtonState), 1);
    EXPECT_TRUE(standin::pressButton(check));
    EXPECT_EQ(standin::widgetProperty(check, xpProperty_ButtonState), 0);

    const std::vector<Heard> changes = heardOf(xpMsg_ButtonStateChanged);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].param1, paramOf(check));
    EXPECT_EQ(changes[0].param2, 1);
    EXPECT_EQ(changes[1].param2, 0);
    EXPECT_TRUE(heardOf(xpMsg_PushButtonPressed).empty());
}

TEST_F(Widgets, RadioButtonOnlyTurnsOn) {
    XPWidgetID window = mainWindow();
    XPWidgetID radio = button(window, xpButtonBehaviorRadioButton);
    XPAddWidgetCallback(window, listener<1>);
    standin::pressButton(radio);
    standin::pressButton(radio);
    EXPECT_EQ(standin::widgetProperty(radio, xpProperty_ButtonState), 1);
    EXPECT_EQ(heardOf(xpMsg_ButtonStateChanged).size(), 1u);
}

TEST_F(Widgets, PushedCloseBoxTellsTheWindowWhichStaysShown) {
    XPWidgetID window = mainWindow();
    XPSetWidgetProperty(window, xpProperty_MainWindowHasCloseBoxes, 1);
    XPAddWidgetCallback(window, listener<1>);
    heard.clear();

    EXPECT_TRUE(standin::pushCloseBox(window));
    const std::vector<Heard> closes = heardOf(xpMessage_CloseButtonPushed);
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0].widget, window);
    EXPECT_EQ(closes[0].param1, paramOf(window));
    EXPECT_TRUE(standin::widgetShown(window));
    EXPECT_TRUE(heardOf(xpMsg_Hidden).empty());
}

TEST_F(Widgets, OnlyAShownWindowWithCloseBoxesHasOneToPush) {
    XPWidgetID window = mainWindow();
    XPWidgetID okButton = button(window);
    EXPECT_FALSE(standin::pushCloseBox(window)) << "no close boxes";
    XPSetWidgetProperty(window, xpProperty_MainWindowHasCloseBoxes, 1);
    EXPECT_FALSE(standin::pushCloseBox(okButton));
    XPHideWidget(window);
    EXPECT_FALSE(standin::pushCloseBox(window)) << "hidden";
}

TEST_F(Widgets, TypingReplacesTheTextOfTheFieldUnderThePointUpToItsLimit) {
    XPWidgetID window = mainWindow();
    XPWidgetID field = child(window, xpWidgetClass_TextField, "11300");
    XPSetWidgetProperty(field, xpProperty_MaxCharacters, 5);
    XPAddWidgetCallback(window, listener<1>);
    heard.clear();
    const int x = (kChildLeft + kChildRight) / 2, y = (kChildTop + kChildBottom) / 2;
    struct Case {
        int x, y;
        const char* typed;
        bool typedIn;
        const char* text;
    };
    const Case cases[] = {
        {x, y, "1234567", true, "12345"},
        // The limit counts UTF-8 characters and never cuts one.
        {x, y, "\xc3\xa9t\xc3\xa9 \xe2\x82\xac\xf0\x9f\x98\x80!", true,
         "\xc3\xa9t\xc3\xa9 \xe2\x82\xac"},
        {x, y, "", true, ""},
        {kChildRight + 20, y, "99", false, ""},  // the window beside the field
    };
    for (const Case& c : cases) {
        EXPECT_EQ(standin::typeText(c.x, c.y, c.typed), c.typedIn) << c.typed;
        EXPECT_EQ(standin::widgetInfo(field).descriptor, c.text) << c.typed;
    }
    const std::vector<Heard> changes = heardOf(xpMsg_TextFieldChanged);
    ASSERT_EQ(changes.size(), 3u) << "up the chain to the window";
    EXPECT_EQ(changes[0].param1, paramOf(field));
    XPHideWidget(window);
    EXPECT_FALSE(standin::typeText(x, y, "1")) << "hidden";
}

// ---- Destruction -----------------------------------------------------------------

TEST_F(Widgets, DestroyingWithChildrenTakesThemFirstAndTellsThemItIsRecursive) {
    XPWidgetID window = mainWindow();
    XPWidgetID pane = child(window, xpWidgetClass_SubWindow);
    XPWidgetID field = child(pane, xpWidgetClass_TextField);
    XPAddWidgetCallback(window, listener<1>);
    XPAddWidgetCallback(pane, listener<2>);
    XPAddWidgetCallback(field, listener<3>);
    heard.clear();

    XPDestroyWidget(window, 1);
    const std::vector<Heard> destroyed = heardOf(xpMsg_Destroy);
    ASSERT_EQ(tagsOf(destroyed), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(destroyed[0].param1, 1);
    EXPECT_EQ(destroyed[1].param1, 1);
    EXPECT_EQ(destroyed[2].param1, 0);
    EXPECT_TRUE(standin::widgets().empty());
    EXPECT_EQ(hostWindowCount(), 0);
}

TEST_F(Widgets, DestroyingWithoutChildrenLeavesThemUnattached) {
    XPWidgetID window = mainWindow();
    XPWidgetID caption = child(window, xpWidgetClass_Caption);
    XPAddWidgetCallback(caption, listener<2>);
    heard.clear();

    XPDestroyWidget(window, 0);
    EXPECT_FALSE(standin::widgetExists(window));
    ASSERT_TRUE(standin::widgetExists(caption));
    EXPECT_EQ(standin::widgetInfo(caption).parent, nullptr);
    EXPECT_TRUE(standin::widgetInfo(caption).visible);
    EXPECT_FALSE(standin::widgetShown(caption));
    EXPECT_TRUE(heardOf(xpMsg_Destroy).empty());
}

TEST_F(Widgets, DestroyedChildLeavesItsParent) {
    XPWidgetID window = mainWindow();
    XPWidgetID caption = child(window, xpWidgetClass_Caption);
    XPWidgetID okButton = button(window);
    XPDestroyWidget(caption, 1);
    EXPECT_EQ(standin::widgetInfo(window).children, std::vector<XPWidgetID>{okButton});
}

XPWidgetID doomed = nullptr;

// Destroys `doomed` with its children when the message comes.
template <int tag, XPWidgetMessage trigger>
int destroyer(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    listener<tag>(message, widget, param1, param2);
    if (message == trigger) XPDestroyWidget(doomed, 1);
    return 0;
}

TEST_F(Widgets, DialogDestroyedByItsOwnCallbackHearsNothingMore) {
    XPWidgetID window = mainWindow();
    XPWidgetID okButton = button(window);
    XPAddWidgetCallback(okButton, listener<1>);
    XPAddWidgetCallback(okButton, destroyer<2, xpMsg_PushButtonPressed>);
    XPAddWidgetCallback(window, listener<3>);
    doomed = window;
    heard.clear();

    EXPECT_TRUE(standin::pressButton(okButton));
    EXPECT_EQ(tagsOf(heardOf(xpMsg_PushButtonPressed)), (std::vector<int>{2}));
    EXPECT_TRUE(standin::widgets().empty());
    EXPECT_EQ(hostWindowCount(), 0);
}

TEST_F(Widgets, DestroyingAgainFromTheDestroyMessageIsIgnored) {
    XPWidgetID window = mainWindow();
    XPAddWidgetCallback(window, destroyer<1, xpMsg_Destroy>);
    doomed = window;
    heard.clear();
    XPDestroyWidget(window, 1);
    EXPECT_EQ(heardOf(xpMsg_Destroy).size(), 1u);
    EXPECT_FALSE(standin::widgetExists(window));
}

TEST_F(Widgets, StaleHandleDoesNotReachALaterWidget) {
    XPWidgetID first = mainWindow("first");
    XPDestroyWidget(first, 1);
    XPWidgetID second = mainWindow("second");
    EXPECT_NE(first, second);
    XPSetWidgetDescriptor(first, "changed");
    EXPECT_EQ(standin::widgetInfo(second).descriptor, "second");
}

TEST_F(Widgets, ANewHostStartsWithoutWidgets) {
    XPWidgetID window = mainWindow();
    standin::startHost(config());
    EXPECT_TRUE(standin::widgets().empty());
    EXPECT_FALSE(standin::widgetExists(window));
}

TEST_F(Widgets, ForgottenPluginsWidgetsGoWithoutAWord) {
    XPWidgetID window = mainWindow();
    child(window, xpWidgetClass_Caption);
    XPAddWidgetCallback(window, listener<1>);
    heard.clear();
    standin::detail::forgetPluginWidgets(XPLM_PLUGIN_XPLANE);  // this test plays the plug-in
    EXPECT_TRUE(standin::widgets().empty());
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(hostWindowCount(), 0);
}

// ---- Visibility --------------------------------------------------------------------

TEST_F(Widgets, HiddenParentHidesItsChildrenWhoKeepTheirOwnFlag) {
    XPWidgetID window = mainWindow();
    XPWidgetID caption = child(window, xpWidgetClass_Caption);
    EXPECT_TRUE(standin::widgetShown(caption));

    XPHideWidget(window);
    EXPECT_FALSE(standin::widgetShown(window));
    EXPECT_FALSE(standin::widgetShown(caption));
    EXPECT_TRUE(standin::widgetInfo(caption).visible);

    XPHideWidget(caption);
    XPShowWidget(window);
    EXPECT_TRUE(standin::widgetShown(window));
    EXPECT_FALSE(standin::widgetShown(caption)) << "its own flag is still off";
    XPShowWidget(caption);
    EXPECT_TRUE(standin::widgetShown(caption));
}

TEST_F(Widgets, ShowAndHideTellTheWidgetAndItsParentsWhichOneChanged) {
    XPWidgetID window = mainWindow();
    XPWidgetID caption = child(window, xpWidgetClass_Caption);
    XPAddWidgetCallback(window, listener<1>);
    XPAddWidgetCallback(caption, listener<2>);
    heard.clear();

    XPHideWidget(caption);
    std::vector<Heard> hidden = heardOf(xpMsg_Hidden);
    ASSERT_EQ(tagsOf(hidden), (std::vector<int>{2, 1}));
    EXPECT_EQ(hidden[0].param1, paramOf(caption));
    EXPECT_EQ(hidden[1].param1, paramOf(caption));

    XPHideWidget(caption);
    EXPECT_EQ(heardOf(xpMsg_Hidden).size(), 2u) << "already hidden: no news";

    XPShowWidget(caption);
    const std::vector<Heard> shown = heardOf(xpMsg_Shown);
    ASSERT_EQ(tagsOf(shown), (std::vector<int>{2, 1}));
    EXPECT_EQ(shown[1].param1, paramOf(caption));
}

TEST_F(Widgets, UnattachedWidgetIsNeverShown) {
    XPWidgetID loose = XPCreateWidget(0, 10, 10, 0, 1, "", 0, nullptr, xpWidgetClass_Caption);
    EXPECT_TRUE(standin::widgetInfo(loose).visible);
    EXPECT_FALSE(standin::widgetShown(loose));
}

TEST_F(Widgets, RootWidgetSitsInAHostWindowThatFollowsIt) {
    XPWidgetID window = mainWindow();
    std::vector<standin::WindowInfo> windows = standin::windows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].owner, XPLM_PLUGIN_XPLANE);
    EXPECT_EQ(windows[0].left, kWindowLeft);
    EXPECT_EQ(windows[0].top, kWindowTop);
    EXPECT_EQ(windows[0].right, kWindowRight);
    EXPECT_EQ(windows[0].bottom, kWindowBottom);
    EXPECT_TRUE(windows[0].visible);

    XPHideWidget(window);
    EXPECT_FALSE(standin::windows()[0].visible);
    XPShowWidget(window);
    EXPECT_TRUE(standin::windows()[0].visible);
    XPDestroyWidget(window, 1);
    EXPECT_TRUE(standin::windows().empty());
}

TEST_F(Widgets, ShownDialogComesToTheFront) {
    XPWidgetID first = mainWindow("first");
    XPCreateWidget(kWindowRight, kWindowTop, kWindowRight + 100, kWindowBottom, 1, "second", 1,
                   nullptr, xpWidgetClass_MainWindow);
    ASSERT_EQ(standin::windows()[0].left, kWindowRight) << "the newest starts in front";
    XPHideWidget(first);
    XPShowWidget(first);
    EXPECT_EQ(standin::windows()[0].left, kWindowLeft);
}

// ---- Bad handles ---------------------------------------------------------------------

TEST_F(Widgets, GarbageNullAndStaleHandlesAreQuietNoOps) {
    XPWidgetID stale = mainWindow();
    XPDestroyWidget(stale, 1);
    XPWidgetID live = mainWindow("live");
    XPAddWidgetCallback(live, listener<1>);
    heard.clear();

    const XPWidgetID badHandles[] = {reinterpret_cast<XPWidgetID>(0xdeadbeef), nullptr,
                                     reinterpret_cast<XPWidgetID>(1), stale};
    for (XPWidgetID bad : badHandles) {
        SCOPED_TRACE(reinterpret_cast<uintptr_t>(bad));
        XPShowWidget(bad);
        XPHideWidget(bad);
        XPSetWidgetDescriptor(bad, "text");
        XPSetWidgetProperty(bad, xpProperty_Refcon, 3);
        XPAddWidgetCallback(bad, listener<2>);
        XPDestroyWidget(bad, 1);
        XPDestroyWidget(bad, 0);

        char buffer[4] = {'#', '#', '#', '#'};
        EXPECT_EQ(XPGetWidgetDescriptor(bad, buffer, sizeof buffer), 0);
        EXPECT_EQ(buffer[0], '#');
        int left = -1, top = -1, right = -1, bottom = -1;
        XPGetWidgetGeometry(bad, &left, &top, &right, &bottom);
        EXPECT_EQ(left + top + right + bottom, 0);

        EXPECT_FALSE(standin::widgetExists(bad));
        EXPECT_FALSE(standin::widgetShown(bad));
        EXPECT_EQ(standin::widgetInfo(bad).id, nullptr);
        EXPECT_EQ(standin::widgetProperty(bad, xpProperty_Refcon), 0);
        EXPECT_FALSE(standin::pressButton(bad));
        EXPECT_FALSE(standin::pushCloseBox(bad));
        EXPECT_EQ(standin::sendWidgetMessage(bad, kUserMessage, xpMode_UpChain, 0, 0), 0);

        XPWidgetID loose = XPCreateWidget(0, 10, 10, 0, 1, "loose", 0, bad, xpWidgetClass_Caption);
        EXPECT_EQ(standin::widgetInfo(loose).parent, nullptr);
        XPDestroyWidget(loose, 1);
    }
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(standin::widgets().size(), 1u);
    EXPECT_EQ(standin::widgetInfo(live).descriptor, "live");
}

TEST_F(Widgets, NullCallbackIsIgnored) {
    XPWidgetID window = mainWindow();
    XPAddWidgetCallback(window, nullptr);
    EXPECT_EQ(standin::sendWidgetMessage(window, kUserMessage, xpMode_Direct, 0, 0), 0);
}

// ---- The mouse ---------------------------------------------------------------------

TEST_F(Widgets, PressGoesToTheDeepestWidgetThenUpTheChainWithTheMouseState) {
    XPWidgetID window = mainWindow();
    XPWidgetID caption = child(window, xpWidgetClass_Caption);
    XPAddWidgetCallback(window, listener<1>);
    XPAddWidgetCallback(caption, listener<2>);
    heard.clear();

    EXPECT_TRUE(standin::mouseDown(kChildLeft + 5, kChildBottom + 5));
    const std::vector<Heard> downs = heardOf(xpMsg_MouseDown);
    ASSERT_EQ(tagsOf(downs), (std::vector<int>{2, 1}));
    EXPECT_EQ(downs[0].widget, caption);
    EXPECT_EQ(downs[0].mouse.x, kChildLeft + 5);
    EXPECT_EQ(downs[0].mouse.y, kChildBottom + 5);
    EXPECT_EQ(downs[1].widget, window);

    // The main window took the press, so the release is its alone.
    standin::mouseUp(kChildLeft + 5, kChildBottom + 5);
    EXPECT_EQ(tagsOf(heardOf(xpMsg_MouseUp)), (std::vector<int>{1}));
}

TEST_F(Widgets, WidgetThatTakesThePressGetsTheDragAndTheRelease) {
    XPWidgetID window = mainWindow();
    XPWidgetID caption = child(window, xpWidgetClass_Caption);
    XPAddWidgetCallback(window, listener<1>);
    XPAddWidgetCallback(caption, listener<2, xpMsg_MouseDown>);
    heard.clear();

    standin::mouseDown(kChildLeft + 5, kChildBottom + 5);
    standin::mouseDrag(kWindowLeft + 5, kWindowBottom + 5);
    standin::mouseUp(kWindowLeft + 6, kWindowBottom + 6);
    EXPECT_EQ(tagsOf(heard), (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(heard[1].message, xpMsg_MouseDrag);
    EXPECT_EQ(heard[2].message, xpMsg_MouseUp);
    EXPECT_EQ(heard[2].mouse.x, kWindowLeft + 6);
}

TEST_F(Widgets, HiddenChildIsClickedThrough) {
    XPWidgetID window = mainWindow();
    XPWidgetID caption = child(window, xpWidgetClass_Caption);
    XPAddWidgetCallback(caption, listener<2>);
    XPHideWidget(caption);
    heard.clear();
    standin::click(kChildLeft + 5, kChildBottom + 5);
    EXPECT_TRUE(heard.empty());
}

TEST_F(Widgets, ClickOnAButtonPressesItButAReleaseOutsideDoesNot) {
    XPWidgetID window = mainWindow();
    XPWidgetID okButton = button(window);
    XPAddWidgetCallback(window, listener<1>);
    heard.clear();

    EXPECT_TRUE(standin::click(kChildLeft + 5, kChildBottom + 5));
    EXPECT_EQ(heardOf(xpMsg_PushButtonPressed).size(), 1u);
    EXPECT_EQ(heardOf(xpMsg_PushButtonPressed)[0].param1, paramOf(okButton));

    standin::mouseDown(kChildLeft + 5, kChildBottom + 5);
    standin::mouseDrag(kChildRight + 20, kChildBottom + 5);
    standin::mouseUp(kChildRight + 20, kChildBottom + 5);
    EXPECT_EQ(heardOf(xpMsg_PushButtonPressed).size(), 1u);
}

// ---- Drawing ------------------------------------------------------------------------

class DrawnWidgets : public Widgets {
protected:
    standin::HostConfig config() const override { return standin::HostConfig(); }

    void SetUp() override {
        Widgets::SetUp();
        if (!standin::graphicsAvailable()) {
            GTEST_SKIP() << "no graphics: " << standin::graphicsRenderer();
        }
    }

    static bool samePixel(standin::Rgba a, standin::Rgba b) {
        return a.r == b.r && a.g == b.g && a.b == b.b;
    }
    // What the screen shows at the point after a frame.
    static standin::Rgba after(int x, int y) {
        standin::runFrame();
        return standin::readPixel(x, y);
    }
};

constexpr int kBodyX = kWindowRight - 20, kBodyY = kWindowBottom + 20;  // clear of any child

TEST_F(DrawnWidgets, DialogIsDrawnOnlyWhileShown) {
    XPWidgetID window = mainWindow();
    const standin::Rgba shown = after(kBodyX, kBodyY);
    XPHideWidget(window);
    const standin::Rgba hidden = after(kBodyX, kBodyY);
    EXPECT_FALSE(samePixel(shown, hidden));
}

TEST_F(DrawnWidgets, PaintHandlerDrawsInsteadOfTheClass) {
    XPWidgetID window = mainWindow();
    XPHideWidget(window);
    const standin::Rgba background = after(kBodyX, kBodyY);
    XPShowWidget(window);
    XPAddWidgetCallback(window, listener<1, xpMsg_Paint>);
    EXPECT_TRUE(samePixel(after(kBodyX, kBodyY), background));
    EXPECT_TRUE(heardOf(xpMsg_Draw).empty()) << "a painted widget is not asked to draw";
}

TEST_F(DrawnWidgets, DrawHandlerDrawsInsteadOfTheClassButChildrenStillAppear) {
    XPWidgetID window = mainWindow();
    XPWidgetID field = child(window, xpWidgetClass_TextField);
    const int fieldX = kChildLeft + 50, fieldY = kChildBottom + 3;
    XPHideWidget(field);
    const standin::Rgba windowBody = after(fieldX, fieldY);
    XPShowWidget(field);
    const standin::Rgba fieldBody = after(fieldX, fieldY);
    ASSERT_FALSE(samePixel(windowBody, fieldBody));

    XPAddWidgetCallback(window, listener<1, xpMsg_Draw>);
    XPHideWidget(window);
    const standin::Rgba background = after(kBodyX, kBodyY);
    XPShowWidget(window);
    EXPECT_TRUE(samePixel(after(kBodyX, kBodyY), background));
    EXPECT_TRUE(samePixel(after(fieldX, fieldY), fieldBody));
}

TEST_F(DrawnWidgets, CheckedBoxLooksDifferentFromAnEmptyOne) {
    XPWidgetID check = button(mainWindow(), xpButtonBehaviorCheckBox);
    // The box sits at the button's left edge, centred in its height.
    const int boxX = kChildLeft + 5, boxY = (kChildTop + kChildBottom) / 2;
    const standin::Rgba empty = after(boxX, boxY);
    standin::pressButton(check);
    EXPECT_FALSE(samePixel(after(boxX, boxY), empty));
}

// ---- The probe's dialog ----------------------------------------------------------------

class ProbeDialog : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        probe = loadProbe();
        dialog = standin::findWidget("Probe dialog");
        okButton = standin::findWidget("OK");
        checkBox = standin::findWidget("Check");
    }

    static int centreX(XPWidgetID id) {
        const standin::WidgetInfo info = standin::widgetInfo(id);
        return (info.left + info.right) / 2;
    }
    static int centreY(XPWidgetID id) {
        const standin::WidgetInfo info = standin::widgetInfo(id);
        return (info.top + info.bottom) / 2;
    }

    XPLMPluginID probe = XPLM_NO_PLUGIN_ID;
    XPWidgetID dialog = nullptr;
    XPWidgetID okButton = nullptr;
    XPWidgetID checkBox = nullptr;
};

TEST_F(ProbeDialog, ProbeBuildsItsDialogWithCloseBoxes) {
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(okButton, nullptr);
    ASSERT_NE(checkBox, nullptr);
    const standin::WidgetInfo info = standin::widgetInfo(dialog);
    EXPECT_TRUE(info.root);
    EXPECT_EQ(info.widgetClass, xpWidgetClass_MainWindow);
    EXPECT_EQ(info.children.size(), 3u);
    EXPECT_TRUE(standin::widgetShown(okButton));
    EXPECT_EQ(standin::widgetProperty(dialog, xpProperty_MainWindowHasCloseBoxes), 1);
    EXPECT_EQ(standin::getInt("probe/widget_callback_created"), 1);
}

TEST_F(ProbeDialog, ProbeCountsPressesOfItsOkButtonInItsOwnName) {
    EXPECT_TRUE(standin::pressButton(okButton));
    EXPECT_TRUE(standin::pressButton(okButton));
    EXPECT_EQ(standin::getInt("probe/button_presses"), 2);
    EXPECT_EQ(standin::getInt("probe/widget_callback_caller"), probe);
}

TEST_F(ProbeDialog, ProbeHearsItsCheckBox) {
    EXPECT_TRUE(standin::pressButton(checkBox));
    EXPECT_EQ(standin::getInt("probe/check_changes"), 1);
    EXPECT_EQ(standin::widgetProperty(checkBox, xpProperty_ButtonState), 1);
    EXPECT_EQ(standin::getInt("probe/button_presses"), 0);
}

TEST_F(ProbeDialog, ProbeHidesItsDialogWhenTheCloseBoxIsPushed) {
    EXPECT_TRUE(standin::pushCloseBox(dialog));
    EXPECT_EQ(standin::getInt("probe/close_pushes"), 1);
    EXPECT_FALSE(standin::widgetShown(dialog));
    EXPECT_TRUE(standin::widgetExists(dialog));
}

TEST_F(ProbeDialog, DisabledProbeHearsNoPresses) {
    standin::disablePlugin(probe);
    standin::pressButton(okButton);
    standin::enablePlugin(probe);
    EXPECT_EQ(standin::getInt("probe/button_presses"), 0);
    standin::pressButton(okButton);
    EXPECT_EQ(standin::getInt("probe/button_presses"), 1);
}

TEST_F(ProbeDialog, UnloadedProbeLeavesNoWidgetsOrWindowsBehind) {
    standin::unloadPlugin(probe);
    EXPECT_TRUE(standin::widgets().empty());
    for (const standin::WindowInfo& window : standin::windows()) {
        EXPECT_NE(window.owner, XPLM_PLUGIN_XPLANE);
    }
}

TEST_F(ProbeDialog, MouseClickOnTheOkButtonPressesIt) {
    EXPECT_TRUE(standin::mouseDown(centreX(okButton), centreY(okButton)));
    EXPECT_EQ(standin::getInt("probe/button_presses"), 0) << "not before the release";
    standin::mouseUp(centreX(okButton), centreY(okButton));
    EXPECT_EQ(standin::getInt("probe/button_presses"), 1);
}

TEST_F(ProbeDialog, MouseClickOnTheCheckBoxTicksIt) {
    standin::click(centreX(checkBox), centreY(checkBox));
    EXPECT_EQ(standin::getInt("probe/check_changes"), 1);
    EXPECT_EQ(standin::widgetProperty(checkBox, xpProperty_ButtonState), 1);
}

TEST_F(ProbeDialog, ReleaseOutsideTheOkButtonDoesNotPressIt) {
    const standin::WidgetInfo ok = standin::widgetInfo(okButton);
    standin::mouseDown(centreX(okButton), centreY(okButton));
    standin::mouseDrag(ok.right + 10, centreY(okButton));
    standin::mouseUp(ok.right + 10, centreY(okButton));
    EXPECT_EQ(standin::getInt("probe/button_presses"), 0);
}

TEST_F(ProbeDialog, MouseClickOnEitherCloseBoxClosesTheDialog) {
    const standin::WidgetInfo window = standin::widgetInfo(dialog);
    // The close boxes sit in the top corners of the title bar.
    EXPECT_TRUE(standin::click(window.right - 8, window.top - 8));
    EXPECT_EQ(standin::getInt("probe/close_pushes"), 1);
    EXPECT_FALSE(standin::widgetShown(dialog));

    XPShowWidget(dialog);
    EXPECT_TRUE(standin::click(window.left + 8, window.top - 8));
    EXPECT_EQ(standin::getInt("probe/close_pushes"), 2);
}

TEST_F(ProbeDialog, ClickOnTheDialogBodyIsTakenAndDoesNothing) {
    const standin::WidgetInfo window = standin::widgetInfo(dialog);
    EXPECT_TRUE(standin::click((window.left + window.right) / 2, window.top - 60));
    EXPECT_EQ(standin::getInt("probe/button_presses"), 0);
    EXPECT_EQ(standin::getInt("probe/close_pushes"), 0);
    EXPECT_TRUE(standin::widgetShown(dialog));
}

TEST_F(ProbeDialog, HiddenDialogTakesNoClicks) {
    standin::pushCloseBox(dialog);
    EXPECT_FALSE(standin::click(centreX(okButton), centreY(okButton)));
    EXPECT_EQ(standin::getInt("probe/button_presses"), 0);
}

}  // namespace
