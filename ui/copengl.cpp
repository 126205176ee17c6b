#include "ui/copengl.h"

#include <algorithm>
#include <cmath>

#include <QOpenGLContext>
#include <QSurfaceFormat>

#include "render/gl_debug.h"
#include "render/scene_renderer.h"

namespace OpenGLForm {

namespace {

const char* const kNoContextMessage =
    "The 3D view is off: no OpenGL 4.5 compatibility context could be made on this display.";

QSurfaceFormat viewFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(4, 5);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    // Without this option Mesa quietly gives a core profile, where the fixed-function calls fail.
    format.setOption(QSurfaceFormat::DeprecatedFunctions);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    if (morvane::glDebugRequested()) format.setOption(QSurfaceFormat::DebugContext);
    return format;
}

// The view needs 4.5 with the compatibility functions (smooth shading, point smoothing, wide lines).
bool usableFormat(const QSurfaceFormat& format)
{
    const bool version = format.majorVersion() > 4 || (format.majorVersion() == 4 && format.minorVersion() >= 5);
    return version && format.profile() != QSurfaceFormat::CoreProfile;
}

}  // namespace

void setViewSurfaceFormat() { QSurfaceFormat::setDefaultFormat(viewFormat()); }

COpenGL::COpenGL(morvane::Feedback& messageLog, QWidget* parentForm, int iWidth, int iHeight,
                 morvane::ModelStatFields* modelStat, morvane::DataTree* treeView1, morvane::ModelState& state)
    : QOpenGLWidget(parentForm),
      state_(state),
      panel2_(parentForm),
      scene_(std::make_unique<morvane::SceneRenderer>(state, &messageLog, modelStat, treeView1))
{
    // Mouse input goes to the host panel, whose handlers move the model.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // Render draws into the framebuffer between paints; it must survive until the next composition.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    move(0, 0);

    scene_->setPanelSizeSource([this] {
        if (panel2_) return std::array<int, 2>{panel2_->width(), panel2_->height()};
        return std::array<int, 2>{state_.CURRENT_WINDOW_WIDTH, state_.CURRENT_WINDOW_HEIGHT};
    });
    scene_->setRedrawRequest([this] { changed(); });

    // Probe once whether the display can give the view its context, so a missing one is said in the log.
    QOpenGLContext probe;
    probe.setFormat(QSurfaceFormat::defaultFormat());
    if (!probe.create() || !usableFormat(probe.format())) logNoContext({});
    ReSizeGLScene(iWidth, iHeight);
}

COpenGL::~COpenGL()
{
    releaseGL();
    // The base class destroys the context after this body: its signal must not reach the released renderer.
    if (context()) disconnect(context(), nullptr, this, nullptr);
}

void COpenGL::logNoContext(const std::string& reason)
{
    if (failureLogged_) return;  // said once
    failureLogged_ = true;
    AppendRichText(
        reason.empty() ? std::string(kNoContextMessage) : std::string(kNoContextMessage) + " (" + reason + ")",
        morvane::log_colour::Red, true);
}

bool COpenGL::makeViewCurrent()
{
    if (!ready_ || !context()) return false;
    makeCurrent();
    return true;
}

void COpenGL::releaseGL()
{
    if (ready_ && context() && context()->isValid()) {
        makeCurrent();
        scene_->releaseGL();
        doneCurrent();
    } else {
        scene_->forgetGL();
    }
    scene_->setGlAvailable(false);
    ready_ = false;
}

void COpenGL::initializeGL()
{
    std::string reason;
    if (!usableFormat(context()->format())) {
        logNoContext("the display offers OpenGL " + std::to_string(context()->format().majorVersion()) + "." +
                     std::to_string(context()->format().minorVersion()) + " without the compatibility functions");
        return;
    }
    if (!morvane::SceneRenderer::initGlew(&reason)) {
        logNoContext(reason);
        return;
    }
    connect(
        context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] { releaseGL(); }, Qt::DirectConnection);
    scene_->setGlAvailable(true);
    ready_ = true;
    scene_->ReSizeGLScene(state_.CURRENT_WINDOW_WIDTH, state_.CURRENT_WINDOW_HEIGHT);
    setDeviceViewport(width(), height());
    if (!state_.GLloaded) {
        InitGL();
        state_.GLloaded = true;
    } else {
        scene_->restoreGL();  // a new context for a view that was already set up
    }
}

void COpenGL::resizeGL(int w, int h)
{
    frameDrawn_ = false;  // the framebuffer was remade
    setDeviceViewport(w, h);
}

void COpenGL::paintGL()
{
    // Frames come from Render; draw here only when the framebuffer holds none yet.
    if (ready_ && !frameDrawn_) {
        scene_->Render();
        frameDrawn_ = true;
        ++framesDrawn_;
    }
}

bool COpenGL::InitGL()
{
    if (!makeViewCurrent()) return false;
    return scene_->InitGL();
}

void COpenGL::ReSizeGLScene(int width, int height)
{
    makeViewCurrent();
    scene_->ReSizeGLScene(width, height);
    setDeviceViewport(width, height);
    resize(width, height);
    changed();
}

void COpenGL::setDeviceViewport(int width, int height)
{
    // The framebuffer is in device pixels on high-density screens.
    const qreal ratio = devicePixelRatioF();
    scene_->setViewport(static_cast<int>(std::lround(width * ratio)),
                        static_cast<int>(std::lround(std::max(height, 1) * ratio)));
}

void COpenGL::Render()
{
    if (!makeViewCurrent()) return;
    scene_->Render();
    frameDrawn_ = true;
    ++framesDrawn_;
}

void COpenGL::SwapOpenGLBuffers() { update(); }

void COpenGL::changeBackgroundColor()
{
    if (makeViewCurrent()) scene_->changeBackgroundColor();
    changed();
}

void COpenGL::AppendRichText(const std::string& text, morvane::LogColour color, bool AddNewLine)
{
    scene_->AppendRichText(text, color, AddNewLine);
}

// The builders run with or without a context; their uploads need one.
morvane::GridBuildOutcome COpenGL::initGRID()
{
    makeViewCurrent();
    const morvane::GridBuildOutcome outcome = scene_->initGRID();
    changed();
    return outcome;
}
void COpenGL::bindGridBuffers()
{
    makeViewCurrent();
    scene_->bindGridBuffers();
    changed();
}
void COpenGL::bindBuffers()
{
    makeViewCurrent();
    scene_->bindBuffers();
    changed();
}
void COpenGL::bindCursorBuffers()
{
    makeViewCurrent();
    scene_->bindCursorBuffers();
    changed();
}
void COpenGL::initPROP(int proprty_count, bool is_property_discrete, int prop_type)
{
    scene_->initPROP(proprty_count, is_property_discrete, prop_type);
    changed();
}
void COpenGL::bindPropBuffers()
{
    makeViewCurrent();
    scene_->bindPropBuffers();
    changed();
}
void COpenGL::change_color(int prop_type, int code, float r, float g, float b)
{
    scene_->change_color(prop_type, code, r, g, b);
    changed();
}
void COpenGL::initXY__PLANE() { scene_->initXY__PLANE(); }
void COpenGL::bindXYplaneBuffers()
{
    makeViewCurrent();
    scene_->bindXYplaneBuffers();
    changed();
}
void COpenGL::bindFlatPlaneBuffers()
{
    makeViewCurrent();
    scene_->bindFlatPlaneBuffers();
    changed();
}
void COpenGL::initWELL() { scene_->initWELL(); }
void COpenGL::initALL_WELLS() { scene_->initALL_WELLS(); }
void COpenGL::bindWellBuffers()
{
    makeViewCurrent();
    scene_->bindWellBuffers();
    changed();
}
void COpenGL::bindIntersectBuffers()
{
    makeViewCurrent();
    scene_->bindIntersectBuffers();
    changed();
}
void COpenGL::bindIntersectPlaneBuffers()
{
    makeViewCurrent();
    scene_->bindIntersectPlaneBuffers();
    changed();
}
void COpenGL::bindCircleDiagramBuffers()
{
    makeViewCurrent();
    scene_->bindCircleDiagramBuffers();
    changed();
}
void COpenGL::bindContacts()
{
    makeViewCurrent();
    scene_->bindContacts();
    changed();
}

std::optional<morvane::CellHit> COpenGL::pickCell(QPoint at)
{
    if (!makeViewCurrent()) return std::nullopt;
    // The framebuffer is in device pixels on high-density screens.
    const qreal ratio = devicePixelRatioF();
    return scene_->pickCell(static_cast<int>(std::floor(at.x() * ratio)), static_cast<int>(std::floor(at.y() * ratio)));
}

void COpenGL::bindPickedCellBuffers()
{
    makeViewCurrent();
    scene_->bindPickedCellBuffers();
    changed();
}

bool COpenGL::loadShaders(morvane::GLName& program) { return makeViewCurrent() && scene_->loadShaders(program); }

bool COpenGL::loadTextShader() { return makeViewCurrent() && scene_->loadTextShader(); }

void COpenGL::RenderText(std::string text, float x, float y, float scale, float w_scale, float h_scale, glm::vec3 color)
{
    if (makeViewCurrent()) scene_->RenderText(std::move(text), x, y, scale, w_scale, h_scale, color);
}

}  // namespace OpenGLForm
