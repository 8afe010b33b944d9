// The host's OpenGL: one offscreen compatibility context per process, made
// by the platform (platform.h) and kept across hosts, plus the SDK's cached
// graphics state, texture numbers and text.
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <string>
#include <vector>

#include "XPLMGraphics.h"
#include "standin/internal.h"
#include "standin/platform.h"
#include "standin/png_file.h"
#include "standin/standin.h"
#include "standin/text_font.h"

namespace standin::detail {
namespace {

// The texture units the simulator's state cache covers, for bindings and
// for texturing on or off.
constexpr int kCachedTextureUnits = 4;
constexpr int kSimulatorTextureCount = xplm_Tex_AircraftLiteMap + 1;
constexpr float kSkyRgba[4] = {0.10f, 0.14f, 0.24f, 1.0f};
constexpr float kPanelRgba[4] = {0.45f, 0.45f, 0.45f, 1.0f};

// Process-wide: creating a context costs far more than a host start, and
// the driver's worker threads are better started once.
struct OffscreenContext {
    bool attempted = false;
    bool created = false;
    bool usesPbuffer = false;  // else drawing into the framebuffer object
    GLuint framebuffer = 0, colourBuffer = 0, depthBuffer = 0;
    int width = 0, height = 0;
    std::string renderer;  // GL_RENDERER, or why there is no context
};

// What one host drew and handed out.
struct HostGraphics {
    bool open = false;
    std::string whyClosed = "graphics are off for this host";
    int cachedTexture[kCachedTextureUnits] = {};
    int simulatorTextures[kSimulatorTextureCount] = {};
    std::vector<int> textureNames;  // every name handed out, for deletion at reset
    int nextNumberWithoutContext = 1;
    bool frameDrawn = false;
    bool frameCaptured = false;
    long clientArraysLeftOn = 0;  // plug-in draws that returned with one enabled
    RgbaImage frame;  // read back on first use after a frame
};

OffscreenContext& offscreen() {
    static OffscreenContext context;
    return context;
}

HostGraphics& host() {
    static HostGraphics graphics;
    return graphics;
}

// ---- Context ----------------------------------------------------------------

// GL beyond 1.1, which Windows' opengl32 does not export: found through
// the platform once a context exists.
struct GlEntryPoints {
    PFNGLACTIVETEXTUREPROC activeTexture = nullptr;
    PFNGLBINDBUFFERPROC bindBuffer = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
};
GlEntryPoints gl;

template <typename Fn>
bool findEntryPoint(Fn& entry, const char* name) {
    entry = reinterpret_cast<Fn>(offscreenEntryPoint(name));
    return entry != nullptr;
}

bool findEntryPoints() {
    return findEntryPoint(gl.activeTexture, "glActiveTexture") &&
           findEntryPoint(gl.bindBuffer, "glBindBuffer") &&
           findEntryPoint(gl.bindFramebuffer, "glBindFramebuffer") &&
           findEntryPoint(gl.genFramebuffers, "glGenFramebuffers") &&
           findEntryPoint(gl.genRenderbuffers, "glGenRenderbuffers") &&
           findEntryPoint(gl.bindRenderbuffer, "glBindRenderbuffer") &&
           findEntryPoint(gl.renderbufferStorage, "glRenderbufferStorage") &&
           findEntryPoint(gl.framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
           findEntryPoint(gl.checkFramebufferStatus, "glCheckFramebufferStatus");
}

bool makeCurrent(const OffscreenContext& c) { return c.created && makeOffscreenCurrent(); }

// Gives up on graphics for the process, releasing what was made.
void giveUp(OffscreenContext& c, const std::string& why) {
    if (c.created) destroyOffscreenContext();
    c = OffscreenContext();
    c.attempted = true;
    c.renderer = why;
}

// A surface of the window size where the platform has one; otherwise the
// context draws into a framebuffer object.
bool createContext(OffscreenContext& c, int width, int height) {
    c.attempted = true;
    std::string why;
    if (!createOffscreenContext(width, height, c.usesPbuffer, why)) {
        giveUp(c, why);
        return false;
    }
    c.created = true;
    if (!findEntryPoints()) {
        giveUp(c, "the driver lacks the framebuffer, buffer or multitexture functions");
        return false;
    }
    GLint profile = 0;
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!renderer || (profile & GL_CONTEXT_CORE_PROFILE_BIT)) {
        giveUp(c, "the driver gave no OpenGL compatibility context");
        return false;
    }
    c.renderer = renderer;
    if (c.usesPbuffer) {
        c.width = width;
        c.height = height;
    } else {
        gl.genFramebuffers(1, &c.framebuffer);
        gl.genRenderbuffers(1, &c.colourBuffer);
        gl.genRenderbuffers(1, &c.depthBuffer);
    }
    return true;
}

bool allocateFramebuffer(OffscreenContext& c, int width, int height) {
    gl.bindFramebuffer(GL_FRAMEBUFFER, c.framebuffer);
    gl.bindRenderbuffer(GL_RENDERBUFFER, c.colourBuffer);
    gl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    gl.bindRenderbuffer(GL_RENDERBUFFER, c.depthBuffer);
    gl.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    gl.bindRenderbuffer(GL_RENDERBUFFER, 0);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              c.colourBuffer);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                              c.depthBuffer);
    return gl.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

bool resizeSurface(OffscreenContext& c, int width, int height) {
    if (c.width == width && c.height == height) return true;
    if (c.usesPbuffer) {
        if (!resizeOffscreenSurface(width, height)) return false;
    } else if (!allocateFramebuffer(c, width, height)) {
        return false;
    }
    c.width = width;
    c.height = height;
    return true;
}

// The framebuffer the host draws into: the pbuffer's, or our own object.
void bindDrawTarget(const OffscreenContext& c) {
    gl.bindFramebuffer(GL_FRAMEBUFFER, c.framebuffer);
    glViewport(0, 0, c.width, c.height);
}

// ---- State --------------------------------------------------------------------

struct GraphicsState {
    bool fog;
    int textureUnits;
    bool lighting, alphaTest, alphaBlend, depthTest, depthWrite;
};

// The host's own flat drawing (panel, dialogs, text): untextured, blended.
constexpr GraphicsState kFlatDrawing = {false, 0, false, false, true, false, false};
constexpr GraphicsState kNeutral = {false, 0, false, false, false, false, false};

void setCapability(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

void applyState(const GraphicsState& state) {
    setCapability(GL_FOG, state.fog);
    for (int unit = 0; unit < kCachedTextureUnits; ++unit) {
        gl.activeTexture(GL_TEXTURE0 + unit);
        setCapability(GL_TEXTURE_2D, unit < state.textureUnits);
    }
    gl.activeTexture(GL_TEXTURE0);
    setCapability(GL_LIGHTING, state.lighting);
    setCapability(GL_ALPHA_TEST, state.alphaTest);
    glAlphaFunc(GL_GREATER, 0.0f);
    setCapability(GL_BLEND, state.alphaBlend);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    setCapability(GL_DEPTH_TEST, state.depthTest);
    glDepthMask(state.depthWrite ? GL_TRUE : GL_FALSE);
}

// The window's pixel space: origin bottom-left, one unit per pixel.
void applyWindowProjection(const OffscreenContext& c) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, c.width, 0, c.height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Plug-ins may leave pixel-store settings or pixel buffers behind; the
// host's own transfers use plain ones and put theirs back.
class PlainPixelTransfer {
public:
    PlainPixelTransfer() {
        glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &packBuffer_);
        glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &unpackBuffer_);
        gl.bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        gl.bindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        for (GLenum setting : {GL_PACK_ROW_LENGTH, GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS,
                               GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS})
            glPixelStorei(setting, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }
    ~PlainPixelTransfer() {
        glPopClientAttrib();
        gl.bindBuffer(GL_PIXEL_PACK_BUFFER, packBuffer_);
        gl.bindBuffer(GL_PIXEL_UNPACK_BUFFER, unpackBuffer_);
    }
    PlainPixelTransfer(const PlainPixelTransfer&) = delete;
    PlainPixelTransfer& operator=(const PlainPixelTransfer&) = delete;

private:
    GLint packBuffer_ = 0, unpackBuffer_ = 0;
};

// ---- Textures -------------------------------------------------------------------

// Numbers handed out without a context name nothing to keep. GL reuses the
// numbers of deleted textures, so each is kept once: plug-ins delete their
// textures through GL, which the host never hears of.
int newTextureName() {
    HostGraphics& h = host();
    if (!h.open) return h.nextNumberWithoutContext++;
    GLuint generated = 0;
    glGenTextures(1, &generated);
    const int name = static_cast<int>(generated);
    if (std::find(h.textureNames.begin(), h.textureNames.end(), name) == h.textureNames.end()) {
        h.textureNames.push_back(name);
    }
    return name;
}

void forgetTextureName(int name) {
    HostGraphics& h = host();
    if (h.open) {
        const GLuint texture = static_cast<GLuint>(name);
        glDeleteTextures(1, &texture);
    }
    for (int& unit : h.cachedTexture)
        if (unit == name) unit = 0;
    h.textureNames.erase(std::remove(h.textureNames.begin(), h.textureNames.end(), name),
                         h.textureNames.end());
}

// Unbinds every cached unit, so that cache and GL agree again.
void clearTextureUnits() {
    HostGraphics& h = host();
    for (int unit = 0; unit < kCachedTextureUnits; ++unit) {
        h.cachedTexture[unit] = 0;
        if (!h.open) continue;
        gl.activeTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    if (h.open) gl.activeTexture(GL_TEXTURE0);
}

int simulatorTextureName(int which) {
    if (which < 0 || which >= kSimulatorTextureCount) return 0;
    int& name = host().simulatorTextures[which];
    if (name == 0) name = newTextureName();
    return name;
}

void uploadTexture(int name, const RgbaImage& image) {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    PlainPixelTransfer plain;
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(name));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.width, image.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, image.pixels.data());
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

// A fresh name each time: a plug-in holding the old one must not see the
// new aircraft's paint through it. Without the file the name stays unbound,
// not yet a texture.
void loadSimulatorTexture(int which, const std::string& path) {
    HostGraphics& h = host();
    if (h.simulatorTextures[which] != 0) forgetTextureName(h.simulatorTextures[which]);
    h.simulatorTextures[which] = newTextureName();
    RgbaImage image;
    if (h.open && readPng(path, &image)) uploadTexture(h.simulatorTextures[which], image);
}

// ---- Frame read-back ------------------------------------------------------------

const RgbaImage* lastFrame() {
    HostGraphics& h = host();
    const OffscreenContext& c = offscreen();
    if (!h.open || !h.frameDrawn || !makeCurrent(c)) return nullptr;
    if (!h.frameCaptured) {
        h.frame.width = c.width;
        h.frame.height = c.height;
        h.frame.pixels.resize(static_cast<size_t>(c.width) * c.height * 4);
        GLint readFramebuffer = 0;
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
        gl.bindFramebuffer(GL_READ_FRAMEBUFFER, c.framebuffer);
        {
            PlainPixelTransfer plain;
            glReadPixels(0, 0, c.width, c.height, GL_RGBA, GL_UNSIGNED_BYTE,
                         h.frame.pixels.data());
        }
        gl.bindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
        h.frameCaptured = true;
    }
    return &h.frame;
}

void drawTextLines(int x, int y, const char* text, int wrapWidthPx, const float rgb[3]) {
    applyState(kFlatDrawing);
    glColor4f(rgb[0], rgb[1], rgb[2], 1.0f);
    for (std::string_view line : wrapText(text, wrapWidthPx)) {
        drawTextLine(x, y, line);
        y -= kTextLineHeightPx;
    }
}

}  // namespace

// ---- Host side --------------------------------------------------------------------

bool openGraphics(int width, int height) {
    OffscreenContext& c = offscreen();
    HostGraphics& h = host();
    std::string why;
    if (width <= 0 || height <= 0) {
        why = "the window has no pixels";
    } else {
        if (!c.attempted) createContext(c, width, height);
        if (!c.created)
            why = c.renderer;
        else if (!makeCurrent(c) || !resizeSurface(c, width, height))
            why = "no " + std::to_string(width) + " x " + std::to_string(height) +
                  " drawing surface";
    }
    if (!why.empty()) {
        closeGraphics();
        h.whyClosed = why;
        return false;
    }
    if (!h.open) {
        h.open = true;
        clearTextureUnits();
    }
    h.frameDrawn = false;
    h.frameCaptured = false;
    return true;
}

// Deletes this host's textures and releases the context (kept for the next
// host), so that plug-ins of a host without graphics draw nowhere.
void closeGraphics() {
    HostGraphics& h = host();
    while (!h.textureNames.empty()) forgetTextureName(h.textureNames.back());
    clearTextureUnits();
    for (int& name : h.simulatorTextures) name = 0;
    h.nextNumberWithoutContext = 1;
    h.frameDrawn = false;
    h.frameCaptured = false;
    h.clientArraysLeftOn = 0;
    h.open = false;
    h.whyClosed = "graphics are off for this host";
    if (offscreen().created) releaseOffscreenContext();
}

void resetGraphicsState() { closeGraphics(); }

void beginDrawFrame() {
    HostGraphics& h = host();
    const OffscreenContext& c = offscreen();
    if (!h.open || !makeCurrent(c)) return;
    bindDrawTarget(c);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glClearColor(kSkyRgba[0], kSkyRgba[1], kSkyRgba[2], kSkyRgba[3]);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    beginDrawPhase();
    h.frameDrawn = false;
    h.frameCaptured = false;
}

void beginDrawPhase() {
    const OffscreenContext& c = offscreen();
    if (!host().open) return;
    bindDrawTarget(c);
    applyWindowProjection(c);
    applyState(kNeutral);
    glDisable(GL_SCISSOR_TEST);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void checkClientArrays() {
    HostGraphics& h = host();
    if (!h.open) return;
    bool leftOn = false;
    for (GLenum array : {GL_VERTEX_ARRAY, GL_TEXTURE_COORD_ARRAY, GL_COLOR_ARRAY, GL_NORMAL_ARRAY}) {
        if (glIsEnabled(array) != GL_TRUE) continue;
        leftOn = true;
        glDisableClientState(array);
    }
    if (leftOn) ++h.clientArraysLeftOn;
}

void endDrawFrame() {
    HostGraphics& h = host();
    if (!h.open) return;
    glFinish();
    h.frameDrawn = true;
    h.frameCaptured = false;
}

void drawSimulatorPanel() {
    const OffscreenContext& c = offscreen();
    drawFilledRect(0, c.height, c.width, 0, kPanelRgba);
}

void loadAircraftTextures(const std::string& acfPath) {
    const std::string extension = ".acf";
    std::string base = acfPath;
    if (base.size() >= extension.size() &&
        base.compare(base.size() - extension.size(), extension.size(), extension) == 0)
        base.erase(base.size() - extension.size());
    loadSimulatorTexture(xplm_Tex_AircraftPaint, base + "_paint.png");
    loadSimulatorTexture(xplm_Tex_AircraftLiteMap, base + "_paint_lit.png");
}

void drawFilledRect(int left, int top, int right, int bottom, const float rgba[4]) {
    if (!host().open || !rgba) return;
    applyState(kFlatDrawing);
    glColor4fv(rgba);
    glBegin(GL_QUADS);
    glVertex2i(left, bottom);
    glVertex2i(right, bottom);
    glVertex2i(right, top);
    glVertex2i(left, top);
    glEnd();
}

// One pixel wide, just inside the rectangle.
void drawFrameRect(int left, int top, int right, int bottom, const float rgba[4]) {
    drawFilledRect(left, bottom + 1, right, bottom, rgba);
    drawFilledRect(left, top, right, top - 1, rgba);
    drawFilledRect(left, top - 1, left + 1, bottom + 1, rgba);
    drawFilledRect(right - 1, top - 1, right, bottom + 1, rgba);
}

void drawText(int x, int y, const char* text, const float rgb[3]) {
    if (!host().open || !text || !rgb) return;
    drawTextLines(x, y, text, 0, rgb);
}

int textWidth(const char* text) { return text ? textWidthPx(text) : 0; }

}  // namespace standin::detail

// ---- Control API ----------------------------------------------------------------

namespace standin {

bool graphicsAvailable() { return detail::host().open; }

std::string graphicsRenderer() {
    return detail::host().open ? detail::offscreen().renderer : detail::host().whyClosed;
}

Rgba readPixel(int x, int y) {
    const RgbaImage* frame = detail::lastFrame();
    if (!frame || x < 0 || y < 0 || x >= frame->width || y >= frame->height) return {0, 0, 0, 0};
    const uint8_t* pixel = &frame->pixels[(static_cast<size_t>(y) * frame->width + x) * 4];
    return {pixel[0], pixel[1], pixel[2], pixel[3]};
}

bool saveScreenshot(const std::string& path, std::string* error) {
    const RgbaImage* frame = detail::lastFrame();
    if (!frame) {
        if (error)
            *error = graphicsAvailable() ? "no frame drawn yet" : "no graphics: " + graphicsRenderer();
        return false;
    }
    return writePng(path, *frame, error);
}

int simulatorTexture(int which) { return detail::simulatorTextureName(which); }

long drawsLeavingClientArrays() { return detail::host().clientArraysLeftOn; }

int texturesHeld() {
    const detail::HostGraphics& h = detail::host();
    if (!h.open) return 0;
    int held = 0;
    for (const int name : h.textureNames) held += glIsTexture(static_cast<GLuint>(name)) ? 1 : 0;
    return held;
}

}  // namespace standin

// ---- SDK --------------------------------------------------------------------------

using standin::detail::SdkCall;
using standin::detail::SdkFunction;

void XPLMSetGraphicsState(int inEnableFog, int inNumberTexUnits, int inEnableLighting,
                          int inEnableAlphaTesting, int inEnableAlphaBlending,
                          int inEnableDepthTesting, int inEnableDepthWriting) {
    SdkCall call(SdkFunction::XPLMSetGraphicsState, inEnableFog, inNumberTexUnits,
                 inEnableLighting, inEnableAlphaTesting, inEnableAlphaBlending,
                 inEnableDepthTesting, inEnableDepthWriting);
    if (!standin::detail::host().open) return;
    standin::detail::applyState({inEnableFog != 0, inNumberTexUnits, inEnableLighting != 0,
                                 inEnableAlphaTesting != 0, inEnableAlphaBlending != 0,
                                 inEnableDepthTesting != 0, inEnableDepthWriting != 0});
}

// A bind of the name the cache already holds is skipped, even when a
// direct glBindTexture has changed the unit since: as in the simulator.
void XPLMBindTexture2d(int inTextureNum, int inTextureUnit) {
    SdkCall call(SdkFunction::XPLMBindTexture2d, inTextureNum, inTextureUnit);
    auto& h = standin::detail::host();
    if (inTextureNum < 0 || inTextureUnit < 0 ||
        inTextureUnit >= standin::detail::kCachedTextureUnits)
        return;
    if (h.cachedTexture[inTextureUnit] == inTextureNum) return;
    h.cachedTexture[inTextureUnit] = inTextureNum;
    if (!h.open) return;
    standin::detail::gl.activeTexture(GL_TEXTURE0 + inTextureUnit);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(inTextureNum));
}

void XPLMGenerateTextureNumbers(int* outTextureIDs, int inCount) {
    SdkCall call(SdkFunction::XPLMGenerateTextureNumbers, inCount);
    if (!outTextureIDs) return;
    for (int i = 0; i < inCount; ++i) outTextureIDs[i] = standin::detail::newTextureName();
    call.results(standin::detail::LoggedInts{outTextureIDs, inCount});
}

int XPLMGetTexture(XPLMTextureID inTexture) {
    SdkCall call(SdkFunction::XPLMGetTexture, inTexture);
    return call.returns(standin::detail::simulatorTextureName(inTexture));
}

void XPLMDrawString(float* inColorRGB, int inXOffset, int inYOffset, const char* inChar,
                    int* inWordWrapWidth, XPLMFontID) {
    SdkCall call(SdkFunction::XPLMDrawString,
                 standin::detail::LoggedFloats{inColorRGB, inColorRGB != nullptr ? 3 : 0},
                 inXOffset, inYOffset, inChar, inWordWrapWidth ? *inWordWrapWidth : 0);
    if (!standin::detail::host().open || !inChar || !inColorRGB) return;
    standin::detail::checkClientArrays();
    standin::detail::drawTextLines(inXOffset, inYOffset, inChar,
                                   inWordWrapWidth ? *inWordWrapWidth : 0, inColorRGB);
}
