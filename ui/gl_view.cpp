#include "ui/gl_view.h"

#include <algorithm>
#include <cmath>

#include <QOpenGLContext>
#include <QSurfaceFormat>

#include "render/gl_debug.h"
#include "render/scene_renderer.h"

namespace morvane {

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
    if (glDebugRequested()) format.setOption(QSurfaceFormat::DebugContext);
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

GlView::GlView(Feedback& messageLog, QWidget* hostPanel, int width, int height, ModelStatFields* statistics,
               DataTree* dataTree, ModelState& state)
    : QOpenGLWidget(hostPanel),
      log_(messageLog),
      state_(state),
      hostPanel_(hostPanel),
      scene_(std::make_unique<SceneRenderer>(state, &messageLog, statistics, dataTree))
{
    // Mouse input goes to the host panel, whose handlers move the model.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // renderFrame draws into the framebuffer between paints; it must survive until the next composition.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    move(0, 0);

    scene_->setSurface(this);

    // Probe once whether the display can give the view its context, so a missing one is said in the log.
    QOpenGLContext probe;
    probe.setFormat(QSurfaceFormat::defaultFormat());
    if (!probe.create() || !usableFormat(probe.format())) logNoContext({});
    scene_->resizeView(width, height);
}

GlView::~GlView()
{
    releaseGL();
    // The base class destroys the context after this body: its signal must not reach the released renderer.
    if (context()) disconnect(context(), nullptr, this, nullptr);
}

void GlView::logNoContext(const std::string& reason)
{
    if (failureLogged_) return;  // said once
    failureLogged_ = true;
    log_.appendLog(
        reason.empty() ? std::string(kNoContextMessage) : std::string(kNoContextMessage) + " (" + reason + ")",
        log_colour::Red);
}

void GlView::releaseGL()
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

void GlView::initializeGL()
{
    std::string reason;
    if (!usableFormat(context()->format())) {
        logNoContext("the display offers OpenGL " + std::to_string(context()->format().majorVersion()) + "." +
                     std::to_string(context()->format().minorVersion()) + " without the compatibility functions");
        return;
    }
    if (!SceneRenderer::initGlew(&reason)) {
        logNoContext(reason);
        return;
    }
    connect(
        context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] { releaseGL(); }, Qt::DirectConnection);
    scene_->setGlAvailable(true);
    ready_ = true;
    scene_->resizeView(state_.view.frame.width, state_.view.frame.height);
    setDeviceViewport(width(), height());
    if (!initialised_) {
        scene_->startGL();
        initialised_ = true;
    } else {
        scene_->restoreGL();  // a new context for a view that was already set up
    }
}

void GlView::resizeGL(int w, int h)
{
    frameDrawn_ = false;  // the framebuffer was remade
    setDeviceViewport(w, h);
}

void GlView::paintGL()
{
    // Frames come from renderFrame; draw here only when the framebuffer holds none yet.
    if (ready_ && !frameDrawn_) scene_->renderFrame();  // the renderer tells frameDrawn
}

bool GlView::makeContextCurrent()
{
    if (!ready_ || !context()) return false;
    makeCurrent();
    return true;
}

void GlView::sceneChanged()
{
    if (sceneChanged_) sceneChanged_();
}

void GlView::surfaceResized(int width, int height)
{
    setDeviceViewport(width, height);
    resize(width, height);
}

void GlView::frameDrawn()
{
    frameDrawn_ = true;
    ++framesDrawn_;
}

std::optional<std::pair<int, int>> GlView::panelSize() const
{
    if (!hostPanel_) return std::nullopt;
    return std::pair{hostPanel_->width(), hostPanel_->height()};
}

void GlView::setDeviceViewport(int width, int height)
{
    // The framebuffer is in device pixels on high-density screens.
    const qreal ratio = devicePixelRatioF();
    scene_->setPixelRatio(static_cast<float>(ratio));
    scene_->setViewport(static_cast<int>(std::lround(width * ratio)),
                        static_cast<int>(std::lround(std::max(height, 1) * ratio)));
}

void GlView::presentFrame() { update(); }

std::optional<CellHit> GlView::pickCell(QPoint at)
{
    if (!makeContextCurrent()) return std::nullopt;
    // The framebuffer is in device pixels on high-density screens.
    const qreal ratio = devicePixelRatioF();
    return scene_->pickCell(static_cast<int>(std::floor(at.x() * ratio)), static_cast<int>(std::floor(at.y() * ratio)));
}

}  // namespace morvane
