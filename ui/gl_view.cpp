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
      state_(state),
      hostPanel_(hostPanel),
      scene_(std::make_unique<SceneRenderer>(state, &messageLog, statistics, dataTree))
{
    // Mouse input goes to the host panel, whose handlers move the model.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // Render draws into the framebuffer between paints; it must survive until the next composition.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    move(0, 0);

    scene_->setPanelSizeSource([this] {
        if (hostPanel_) return std::array<int, 2>{hostPanel_->width(), hostPanel_->height()};
        return std::array<int, 2>{state_.view.frame.width, state_.view.frame.height};
    });
    scene_->setRedrawRequest([this] { changed(); });

    // Probe once whether the display can give the view its context, so a missing one is said in the log.
    QOpenGLContext probe;
    probe.setFormat(QSurfaceFormat::defaultFormat());
    if (!probe.create() || !usableFormat(probe.format())) logNoContext({});
    ReSizeGLScene(width, height);
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
    AppendRichText(
        reason.empty() ? std::string(kNoContextMessage) : std::string(kNoContextMessage) + " (" + reason + ")",
        log_colour::Red, true);
}

bool GlView::makeViewCurrent()
{
    if (!ready_ || !context()) return false;
    makeCurrent();
    return true;
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
    scene_->ReSizeGLScene(state_.view.frame.width, state_.view.frame.height);
    setDeviceViewport(width(), height());
    if (!initialised_) {
        InitGL();
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
    // Frames come from Render; draw here only when the framebuffer holds none yet.
    if (ready_ && !frameDrawn_) {
        scene_->Render();
        frameDrawn_ = true;
        ++framesDrawn_;
    }
}

bool GlView::InitGL()
{
    if (!makeViewCurrent()) return false;
    return scene_->InitGL();
}

void GlView::ReSizeGLScene(int width, int height)
{
    makeViewCurrent();
    scene_->ReSizeGLScene(width, height);
    setDeviceViewport(width, height);
    resize(width, height);
    changed();
}

void GlView::setDeviceViewport(int width, int height)
{
    // The framebuffer is in device pixels on high-density screens.
    const qreal ratio = devicePixelRatioF();
    scene_->setPixelRatio(static_cast<float>(ratio));
    scene_->setViewport(static_cast<int>(std::lround(width * ratio)),
                        static_cast<int>(std::lround(std::max(height, 1) * ratio)));
}

void GlView::Render()
{
    if (!makeViewCurrent()) return;
    scene_->Render();
    frameDrawn_ = true;
    ++framesDrawn_;
}

void GlView::SwapOpenGLBuffers() { update(); }

void GlView::changeBackgroundColor()
{
    if (makeViewCurrent()) scene_->changeBackgroundColor();
    changed();
}

void GlView::AppendRichText(const std::string& text, LogColour color, bool AddNewLine)
{
    scene_->AppendRichText(text, color, AddNewLine);
}

// The builders run with or without a context; their uploads need one.
GridBuildOutcome GlView::initGRID()
{
    makeViewCurrent();
    const GridBuildOutcome outcome = scene_->initGRID();
    changed();
    return outcome;
}
void GlView::bindGridBuffers()
{
    makeViewCurrent();
    scene_->bindGridBuffers();
    changed();
}
void GlView::bindBuffers()
{
    makeViewCurrent();
    scene_->bindBuffers();
    changed();
}
void GlView::bindCursorBuffers()
{
    makeViewCurrent();
    scene_->bindCursorBuffers();
    changed();
}
void GlView::recolourCells()
{
    makeViewCurrent();
    scene_->recolourCells();
    changed();
}
void GlView::bindPropBuffers()
{
    makeViewCurrent();
    scene_->bindPropBuffers();
    changed();
}
void GlView::initXY__PLANE() { scene_->initXY__PLANE(); }
void GlView::bindXYplaneBuffers()
{
    makeViewCurrent();
    scene_->bindXYplaneBuffers();
    changed();
}
void GlView::bindFlatPlaneBuffers()
{
    makeViewCurrent();
    scene_->bindFlatPlaneBuffers();
    changed();
}
void GlView::initWELL() { scene_->initWELL(); }
void GlView::initALL_WELLS() { scene_->initALL_WELLS(); }
void GlView::bindWellBuffers()
{
    makeViewCurrent();
    scene_->bindWellBuffers();
    changed();
}
void GlView::bindIntersectBuffers()
{
    makeViewCurrent();
    scene_->bindIntersectBuffers();
    changed();
}
void GlView::bindIntersectPlaneBuffers()
{
    makeViewCurrent();
    scene_->bindIntersectPlaneBuffers();
    changed();
}
void GlView::bindCircleDiagramBuffers()
{
    makeViewCurrent();
    scene_->bindCircleDiagramBuffers();
    changed();
}
void GlView::bindContacts()
{
    makeViewCurrent();
    scene_->bindContacts();
    changed();
}

std::optional<CellHit> GlView::pickCell(QPoint at)
{
    if (!makeViewCurrent()) return std::nullopt;
    // The framebuffer is in device pixels on high-density screens.
    const qreal ratio = devicePixelRatioF();
    return scene_->pickCell(static_cast<int>(std::floor(at.x() * ratio)), static_cast<int>(std::floor(at.y() * ratio)));
}

void GlView::bindPickedCellBuffers()
{
    makeViewCurrent();
    scene_->bindPickedCellBuffers();
    changed();
}

bool GlView::loadShaders(GLName& program) { return makeViewCurrent() && scene_->loadShaders(program); }

bool GlView::loadTextShader() { return makeViewCurrent() && scene_->loadTextShader(); }

void GlView::RenderText(std::string text, float x, float y, float scale, float w_scale, float h_scale, glm::vec3 color)
{
    if (makeViewCurrent()) scene_->RenderText(std::move(text), x, y, scale, w_scale, h_scale, color);
}

}  // namespace morvane
