#include "render/offscreen_renderer.h"

#include <GL/glew.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <algorithm>
#include <cstdio>

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

#include "platform/whole_file.h"
#include "render/gl_debug.h"

namespace morvane {

struct OffscreenRenderer::Egl {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
};

namespace {

std::string eglFailure(const char* step)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
    return std::string(step) + " failed (EGL error " + code + ")";
}

}  // namespace

std::array<std::uint8_t, 4> RgbaImage::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return {0, 0, 0, 0};
    const std::size_t i =
        (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    return {pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]};
}

QImage RgbaImage::toQImage() const
{
    QImage image(reinterpret_cast<const uchar*>(pixels.data()), width, height, width * 4, QImage::Format_RGBA8888);
    return image.copy();  // own the pixels
}

bool RgbaImage::save(const std::string& path, std::string* why) const
{
    if (width <= 0 || height <= 0) {
        if (why) *why = "the picture is empty";
        return false;
    }
    return savePicture(toQImage(), path, why);
}

bool savePicture(const QImage& picture, const std::string& path, std::string* why)
{
    const QString file = QString::fromStdString(path);
    const QByteArray format = QFileInfo(file).suffix().toLower().toLatin1();
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format)) {
        if (why) *why = "no picture format is known for the extension \"" + format.toStdString() + "\"";
        return false;
    }
    // Encoded in memory first, so the file is only ever written with the whole picture.
    QByteArray contents;
    QBuffer buffer(&contents);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture)) {
        if (why) *why = "the picture cannot be encoded: " + writer.errorString().toStdString();
        return false;
    }
    QString reason;
    const bool written = writeFileWhole(file, contents, &reason);
    if (!written && why) *why = reason.toStdString();
    return written;
}

std::unique_ptr<OffscreenRenderer> OffscreenRenderer::create(ModelState& state, int width, int height,
                                                             std::string* error, Start start, Feedback* log,
                                                             ModelStatFields* modelStat, DataTree* tree)
{
    std::string reason;
    auto fail = [&](std::string why) -> std::unique_ptr<OffscreenRenderer> {
        if (error) *error = "No OpenGL 4.5 context for offscreen rendering: " + why;
        return nullptr;
    };
    if (width <= 0 || height <= 0) {
        if (error)
            *error = "The picture size " + std::to_string(width) + " x " + std::to_string(height) + " is not positive";
        return nullptr;
    }

    std::unique_ptr<OffscreenRenderer> renderer(new OffscreenRenderer(state, log, modelStat, tree));
    renderer->egl_ = std::make_unique<Egl>();
    Egl& egl = *renderer->egl_;

    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) return fail("EGL offers no platform displays");
    egl.display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (egl.display == EGL_NO_DISPLAY) return fail(eglFailure("eglGetPlatformDisplayEXT(surfaceless)"));
    EGLint major = 0, minor = 0;
    if (!eglInitialize(egl.display, &major, &minor)) return fail(eglFailure("eglInitialize"));
    if (!eglBindAPI(EGL_OPENGL_API)) return fail(eglFailure("eglBindAPI(OpenGL)"));
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                 4,
                                 EGL_CONTEXT_MINOR_VERSION,
                                 5,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                 EGL_CONTEXT_OPENGL_DEBUG,
                                 glDebugRequested() ? EGL_TRUE : EGL_FALSE,
                                 EGL_NONE};
    egl.context = eglCreateContext(egl.display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (egl.context == EGL_NO_CONTEXT) return fail(eglFailure("eglCreateContext(4.5 compatibility)"));
    if (!eglMakeCurrent(egl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, egl.context))
        return fail(eglFailure("eglMakeCurrent"));
    if (!SceneRenderer::initGlew(&reason)) return fail(reason);
    if (!renderer->makeFramebuffer(width, height, &reason)) return fail(reason);

    renderer->setGlAvailable(true);
    renderer->setSurface(renderer.get());
    renderer->resizeView(width, height);
    const bool started = start == Start::startGL ? renderer->startGL() : renderer->restoreGL();
    if (!started) {
        if (error) *error = renderer->glFailure();
        return nullptr;
    }
    return renderer;
}

OffscreenRenderer::OffscreenRenderer(ModelState& state, Feedback* log, ModelStatFields* modelStat, DataTree* tree)
    : SceneRenderer(state, log, modelStat, tree)
{}

OffscreenRenderer::~OffscreenRenderer()
{
    setSurface(nullptr);
    if (!egl_ || egl_->context == EGL_NO_CONTEXT) return;
    if (makeCurrent()) {
        releaseGL();
        deleteFramebuffer();
    } else {
        forgetGL();
    }
    eglMakeCurrent(egl_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(egl_->display, egl_->context);
}

bool OffscreenRenderer::makeCurrent() const
{
    return egl_ && egl_->context != EGL_NO_CONTEXT &&
           (eglGetCurrentContext() == egl_->context ||
            eglMakeCurrent(egl_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, egl_->context));
}

bool OffscreenRenderer::makeFramebuffer(int width, int height, std::string* error)
{
    deleteFramebuffer();
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glGenRenderbuffers(1, &colour_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    glGenRenderbuffers(1, &depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        if (error)
            *error = "the framebuffer of " + std::to_string(width) + " x " + std::to_string(height) + " is incomplete";
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

void OffscreenRenderer::deleteFramebuffer()
{
    if (framebuffer_ != 0) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer_);
    }
    if (colour_ != 0) glDeleteRenderbuffers(1, &colour_);
    if (depth_ != 0) glDeleteRenderbuffers(1, &depth_);
    framebuffer_ = colour_ = depth_ = 0;
}

void OffscreenRenderer::surfaceResized(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width != width_ || height != height_) makeFramebuffer(width, height, nullptr);
}

RgbaImage OffscreenRenderer::frame()
{
    renderFrame();
    return readPixels();
}

RgbaImage OffscreenRenderer::readPixels() const
{
    RgbaImage image;
    if (!makeCurrent()) return image;
    image.width = width_;
    image.height = height_;
    const std::size_t row = static_cast<std::size_t>(width_) * 4;
    std::vector<std::uint8_t> bottomUp(row * static_cast<std::size_t>(height_));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    image.pixels.resize(bottomUp.size());
    for (int y = 0; y < height_; ++y)
        std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(height_ - 1 - y)),
                    row, image.pixels.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(y)));
    return image;
}

bool renderSnapshot(const ModelState& state, int width, int height, const std::string& path, std::string* error)
{
    ModelState copy = state;  // the copy's GL names belong to the snapshot's own context
    auto renderer = OffscreenRenderer::create(copy, width, height, error, OffscreenRenderer::Start::Restore);
    if (!renderer) return false;
    std::string why;
    if (!renderer->frame().save(path, &why)) {
        if (error) *error = "Could not write the picture " + path + ": " + why;
        return false;
    }
    return true;
}

}  // namespace morvane
