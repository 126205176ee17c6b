#include "render/gl_debug.h"

#include <GL/glew.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>

#include "platform/trace.h"

namespace morvane {

namespace {

constexpr std::size_t kKeptMessages = 8;

struct ErrorLog {
    std::mutex mutex;  // drivers may call back from a thread of their own when output is not synchronous
    std::size_t count = 0;
    std::deque<std::string> recent;
};

ErrorLog& errorLog()
{
    static ErrorLog log;
    return log;
}

const char* typeName(GLenum type)
{
    switch (type) {
    case GL_DEBUG_TYPE_ERROR:
        return "GL error";
    case GL_DEBUG_TYPE_UNDEFINED_BEHAVIOR:
        return "GL undefined behaviour";
    case GL_DEBUG_TYPE_DEPRECATED_BEHAVIOR:
        return "GL deprecated behaviour";
    case GL_DEBUG_TYPE_PORTABILITY:
        return "GL portability";
    case GL_DEBUG_TYPE_PERFORMANCE:
        return "GL performance";
    default:
        return "GL message";
    }
}

void GLAPIENTRY onDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei length,
                               const GLchar* message, const void* /*user*/)
{
    // A shader that does not compile is the shader loader's to report, with the whole log and the file's name.
    if (source == GL_DEBUG_SOURCE_SHADER_COMPILER) return;
    const bool error = type == GL_DEBUG_TYPE_ERROR || type == GL_DEBUG_TYPE_UNDEFINED_BEHAVIOR;
    if (!error && severity != GL_DEBUG_SEVERITY_HIGH) return;  // notes and hints are not faults
    const std::string text =
        std::string(typeName(type)) + " " + std::to_string(id) + ": " +
        std::string(message, length >= 0 ? static_cast<std::size_t>(length) : std::strlen(message));
    trace(text);
    if (!error) return;
    ErrorLog& log = errorLog();
    const std::lock_guard lock(log.mutex);
    ++log.count;
    log.recent.push_back(text);
    if (log.recent.size() > kKeptMessages) log.recent.pop_front();
}

}  // namespace

bool glDebugRequested()
{
    const char* value = std::getenv("MORVANE_GL_DEBUG");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

bool enableGlDebugOutput()
{
    if (!glDebugRequested() || glDebugMessageCallback == nullptr) return false;
    glEnable(GL_DEBUG_OUTPUT);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);  // the callback runs inside the failing call
    glDebugMessageCallback(onDebugMessage, nullptr);
    glDebugMessageControl(GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, 0, nullptr, GL_TRUE);
    return true;
}

std::size_t glErrorCount()
{
    ErrorLog& log = errorLog();
    const std::lock_guard lock(log.mutex);
    return log.count;
}

std::vector<std::string> recentGlErrors()
{
    ErrorLog& log = errorLog();
    const std::lock_guard lock(log.mutex);
    return {log.recent.begin(), log.recent.end()};
}

}  // namespace morvane
