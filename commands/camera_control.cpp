#include "commands/camera_control.h"

#include <cmath>
#include <cstdio>

#include "core/angles.h"

namespace morvane {

DragButton dragButton(bool left, bool right, bool middle)
{
    if (left && !right && !middle) return DragButton::Left;
    if (right && !left && !middle) return DragButton::Right;
    if (middle && !left && !right) return DragButton::Middle;
    return DragButton::None;
}

void leftDrag(CameraFields& f, ModelState& s, ScreenPoint c)
{
    s.view.pivotCursor = true;
    if (c == f.previousPosition) return;
    float dx = static_cast<float>(c.x - f.previousPosition.x);
    float dy = static_cast<float>(c.y - f.previousPosition.y);
    f.previousPosition = c;
    if (f.firstMouse_left) {
        f.obj_lastX = s.view.camera.position.x;
        f.obj_lastY = s.view.camera.position.y;
        f.obj_lastZ = s.view.camera.position.z;
        f.yaw = 0.0f;
        f.pitch = 0.0f;
        dx = 0.0f;
        dy = 0.0f;
        f.firstMouse_left = false;
    }
    const float speed = std::sqrt(15.0f) * 0.001f / std::sqrt(s.view.camera.scale.z);
    dx *= speed;
    dy *= speed;
    f.yaw += dx;
    f.pitch -= dy;
    if (s.view.section.unfolded) {
        s.view.camera.position.x = f.obj_lastX + f.yaw;
        return;
    }
    const float a = s.view.camera.rotation.z * kDegToRad;
    s.view.camera.position.x = f.obj_lastX + std::sin(a) * f.pitch + std::cos(a) * f.yaw;
    s.view.camera.position.y = f.pitch * std::cos(a) + f.obj_lastY - f.yaw * std::sin(a);
}

void rightDrag(CameraFields& f, ModelState& s, ScreenPoint c)
{
    s.view.pivotCursor = true;
    if (f.firstMouse_right) {
        f.lastX_right = static_cast<float>(c.x);
        f.firstMouse_right = false;
    }
    const float d = (f.lastX_right - static_cast<float>(c.x)) * 0.05f;
    f.lastX_right = static_cast<float>(c.x);
    f.pitch_right += d;
    if (!s.view.section.unfolded)
        s.view.camera.rotation.z = static_cast<float>(Constants::INITIAL_ROTATION_Z) + f.pitch_right;
}

void middleDrag(CameraFields& f, ModelState& s, ScreenPoint c)
{
    if (f.firstMouse_middle) {
        f.obj_lastScaleX = s.view.camera.scale.x;
        f.obj_lastScaleY = s.view.camera.scale.y;
        f.obj_lastScaleZ = s.view.camera.scale.z;
        f.yaw_middle = 0.0f;
        f.lastY_middle = static_cast<float>(c.y);
        f.firstMouse_middle = false;
    }
    const float d = (static_cast<float>(c.y) - f.lastY_middle) * 0.005f;
    f.lastY_middle = static_cast<float>(c.y);
    f.yaw_middle += d;
    if (f.obj_lastScaleX + f.yaw_middle <= 0.1f) return;
    s.view.camera.scale.x = f.obj_lastScaleX + f.yaw_middle;
    // In the unfolded section seen from above the section's vertical is the screen's y: keep it.
    if (!(s.view.section.unfolded && s.view.animation.turningDown))
        s.view.camera.scale.y = f.obj_lastScaleY + f.yaw_middle;
    s.view.camera.scale.z = f.obj_lastScaleZ + f.yaw_middle * s.view.camera.verticalScale;
}

void releaseDrag(CameraFields& f, ModelState& s, DragButton button)
{
    switch (button) {
    case DragButton::Left:
        f.firstMouse_left = true;
        s.view.pivotCursor = false;
        break;
    case DragButton::Right:
        f.firstMouse_right = true;
        s.view.pivotCursor = false;
        break;
    case DragButton::Middle:
        f.firstMouse_middle = true;
        break;
    case DragButton::None:
        break;
    }
}

void wheel(ModelState& s, int delta)
{
    if (delta == 0) return;
    if (s.view.is(ViewMode::Layers)) {
        if (delta > 0) {
            if (s.view.layer.shown > 1) s.view.layer.shown -= 1;
        } else if (s.view.layer.shown < s.document.grid.layers) {
            s.view.layer.shown += 1;
        }
        return;
    }
    s.view.camera.position.z += static_cast<float>(delta) * 0.00005f;
}

std::optional<CameraKey> cameraKeyOf(int key, std::uint32_t x11KeyCode)
{
    struct Place {
        CameraKey camera;
        int latin;          // the letter on a Latin layout
        std::uint32_t x11;  // the key's X11 code (evdev code + 8)
        char32_t russian;   // the letter the Russian layout puts there
    };
    static constexpr Place places[] = {{CameraKey::W, 'W', 25, U'Ц'}, {CameraKey::S, 'S', 39, U'Ы'},
                                       {CameraKey::Z, 'Z', 52, U'Я'}, {CameraKey::X, 'X', 53, U'Ч'},
                                       {CameraKey::O, 'O', 32, U'Щ'}, {CameraKey::L, 'L', 46, U'Д'}};
    const bool latinLetter = key >= 'A' && key <= 'Z';
    for (const Place& p : places)
        if (key == p.latin) return p.camera;
    if (latinLetter) return std::nullopt;
    for (const Place& p : places)
        if (x11KeyCode != 0 && x11KeyCode == p.x11) return p.camera;
    for (const Place& p : places)
        if (static_cast<char32_t>(key) == p.russian) return p.camera;
    return std::nullopt;
}

std::optional<std::string> keyDown(CameraFields& f, ModelState& s, CameraKey key)
{
    switch (key) {
    case CameraKey::W:
        if (f.key_W_pressed) break;
        s.view.camera.verticalScale += 1.0f;
        s.view.camera.scale.z = s.view.camera.scale.x * s.view.camera.verticalScale;
        f.key_W_pressed = true;
        s.view.camera.position.z += 0.0001f;
        return generalNumber(s.view.camera.verticalScale);
    case CameraKey::S:
        if (f.key_S_pressed || !(s.view.camera.verticalScale > 1.0f)) break;
        s.view.camera.verticalScale -= 1.0f;
        s.view.camera.scale.z = s.view.camera.scale.x * s.view.camera.verticalScale;
        f.key_S_pressed = true;
        break;
    case CameraKey::Z:
        s.view.camera.position.x += 0.1f;
        break;
    case CameraKey::X:
        s.view.camera.position.x -= 0.1f;
        break;
    case CameraKey::O:
        if (s.view.layer.shown < s.document.grid.layers) s.view.layer.shown += 1;
        break;
    case CameraKey::L:
        if (s.view.layer.shown > 1) s.view.layer.shown -= 1;
        break;
    }
    return std::nullopt;
}

void keyUp(CameraFields& f, CameraKey key)
{
    if (key == CameraKey::W) f.key_W_pressed = false;
    if (key == CameraKey::S) f.key_S_pressed = false;
}

std::optional<int> sliderDrag(CameraFields& f, ModelState& s, int pointerY)
{
    s.view.production.discs = false;  // bubbles hide while the exaggeration changes
    const int top = pointerY - f.vertScalebarClickY;
    if (top < 100 || top > 300) return std::nullopt;
    const float v = static_cast<float>(309 - top) / 207.0f;
    const float e = ((v * 2.0f - 1.0f) * 4.0f) + 5.0f;
    if (e > 0.0f && e < 9.0f) {
        s.view.camera.verticalScale = e;
        s.view.camera.scale.z = s.view.camera.scale.x * s.view.camera.verticalScale;
        f.key_W_pressed = true;
    }
    return top;
}

std::vector<int> wellsUnderPointer(const ModelState& s, ScreenPoint p, int panelWidth, int panelHeight)
{
    std::vector<int> hits;
    const std::size_t wells = s.well_coord_vertex_show.size();
    for (std::size_t i = 0; i < wells && i < s.view.frame.wellLabelX.size() && i < s.view.frame.wellLabelY.size();
         ++i) {
        const int x = s.view.frame.wellLabelX[i];
        const int y = s.view.frame.wellLabelY[i];
        if (x > 0 && x < panelWidth && y > 0 && y < panelHeight && p.x > x && p.x < x + 60 && p.y > y - 30 && p.y < y)
            hits.push_back(static_cast<int>(i));
    }
    return hits;
}

std::string generalNumber(float value)
{
    if (value == 0.0f) value = 0.0f;  // a pivot at 0 reads "0", not "-0"
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(value));
    return text;
}

CameraStatus cameraStatus(const ModelState& s)
{
    const auto mult = static_cast<float>(kCoordScale);
    return CameraStatus{"K = " + std::to_string(s.view.layer.shown),
                        "Z: " + generalNumber(-s.view.camera.position.z * mult),
                        "Y: " + generalNumber(-s.view.camera.position.y * mult),
                        "X: " + generalNumber(-s.view.camera.position.x * mult)};
}

}  // namespace morvane
