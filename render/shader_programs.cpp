// Building the two shader programs from their source files, and the uniform locations of each linked program.
// Every failure is said twice: the trace gets the compiler's log, the events log a red line naming the shader file.
// The main program also traces its fixed error lines, the text program writes its own to standard output.
#include <GL/glew.h>

#include <algorithm>
#include <functional>
#include <iostream>

#include "io/file_text.h"
#include "platform/trace.h"
#include "render/resource_files.h"
#include "render/scene_renderer.h"

namespace morvane {

namespace {

constexpr const char* kCoreVertexFile = "vertex_core.glsl";
constexpr const char* kCoreFragmentFile = "fragment_core.glsl";
constexpr const char* kTextVertexFile = "text_vertex.glsl";
constexpr const char* kTextFragmentFile = "text_fragment.glsl";

enum class SourceState { Read, Missing, Unreadable };

struct ShaderSource {
    std::string text;
    SourceState state = SourceState::Missing;
};

// The source of a shader file found in `dirs`. With `lineBreakAtEnd`, a last line without a line break gets one.
ShaderSource readShaderSource(const std::string& file, const std::vector<std::filesystem::path>& dirs,
                              bool lineBreakAtEnd)
{
    ShaderSource source;
    const auto path = findResource(file, dirs);
    if (!path) return source;
    FileText bytes;
    if (!readWholeFile(*path, bytes)) {
        source.state = SourceState::Unreadable;
        return source;
    }
    source.text.assign(bytes.view());
    if (lineBreakAtEnd && !source.text.empty() && source.text.back() != '\n') source.text += '\n';
    source.state = SourceState::Read;
    return source;
}

std::string infoLog(GLuint object, bool program)
{
    GLint length = 0;
    if (program)
        glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    else
        glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    if (program)
        glGetProgramInfoLog(object, static_cast<GLsizei>(log.size()), nullptr, log.data());
    else
        glGetShaderInfoLog(object, static_cast<GLsizei>(log.size()), nullptr, log.data());
    while (!log.empty() && (log.back() == '\0' || log.back() == '\n' || log.back() == '\r')) log.pop_back();
    return log;
}

std::string firstLine(const std::string& text)
{
    const std::string line = text.substr(0, text.find('\n'));
    return line.empty() ? std::string("no message from the compiler") : line;
}

void reportUnreadSource(const ShaderSource& source, const std::string& file,
                        const std::function<void(const std::string&)>& report)
{
    if (source.state == SourceState::Missing)
        report("Shader file " + file + " not found: the 3D view cannot draw.");
    else if (source.state == SourceState::Unreadable)
        report("Shader file " + file + " cannot be read: the 3D view cannot draw.");
}

}  // namespace

void SceneRenderer::reportGlFailure(const std::string& line)
{
    trace(line);
    if (glFailure_.empty()) glFailure_ = line;
    if (log_) log_->appendLog(line, log_colour::Red);
}

bool SceneRenderer::compileStage(unsigned int shader, const std::string& file, const std::string& source,
                                 bool sourceRead, std::string* log)
{
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return true;
    *log = infoLog(shader, false);
    trace(file + ": " + *log);
    if (sourceRead) reportGlFailure("Shader " + file + " does not compile: " + firstLine(*log));
    return false;
}

bool SceneRenderer::linkProgram(GLName program, const std::string& vertexFile, const std::string& fragmentFile,
                                bool stagesCompiled, std::string* log)
{
    glLinkProgram(program);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked) return true;
    *log = infoLog(program, true);
    trace(vertexFile + " + " + fragmentFile + ": " + *log);
    // Stages that did not compile cannot link; their failure is said already.
    if (stagesCompiled)
        reportGlFailure("Shaders " + vertexFile + " and " + fragmentFile + " do not link: " + firstLine(*log));
    return false;
}

bool SceneRenderer::loadShaders(GLName& program)
{
    if (!glAvailable_) return false;
    const auto report = [this](const std::string& line) { reportGlFailure(line); };
    bool success = true;
    std::string log;

    const ShaderSource vertexSource = readShaderSource(kCoreVertexFile, resourceDirs_, true);
    if (vertexSource.state != SourceState::Read) {
        trace("ERROR COULD NOT OPEN VERTEX SHADER FILE");
        reportUnreadSource(vertexSource, kCoreVertexFile, report);
        success = false;
    }
    const GLuint vertexShader = glCreateShader(GL_VERTEX_SHADER);
    if (!compileStage(vertexShader, kCoreVertexFile, vertexSource.text, vertexSource.state == SourceState::Read,
                      &log)) {
        trace("ERROR COULD NOT COMPILE VERTEX SHADER");
        success = false;
    }

    const ShaderSource fragmentSource = readShaderSource(kCoreFragmentFile, resourceDirs_, true);
    if (fragmentSource.state != SourceState::Read) {
        trace("ERROR COULD NOT OPEN FRAGMENT SHADER FILE");
        reportUnreadSource(fragmentSource, kCoreFragmentFile, report);
        success = false;
    }
    const GLuint fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
    if (!compileStage(fragmentShader, kCoreFragmentFile, fragmentSource.text, fragmentSource.state == SourceState::Read,
                      &log)) {
        trace("ERROR COULD NOT COMPILE FRAGMENT SHADER");
        success = false;
    }

    if (program != 0) glDeleteProgram(program);  // a rebuilt program replaces the old one
    program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    if (!linkProgram(program, kCoreVertexFile, kCoreFragmentFile, success, &log)) {
        trace("ERROR COULD NOT LINK PROGRAM");
        success = false;
    }

    glUseProgram(0);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    if (success) core_ = coreUniformsOf(program);
    return success;
}

bool SceneRenderer::loadTextShader()
{
    if (!glAvailable_) return false;
    const auto report = [this](const std::string& line) { reportGlFailure(line); };
    bool success = true;
    std::string log;
    const ShaderSource vertexSource = readShaderSource(kTextVertexFile, resourceDirs_, false);
    const ShaderSource fragmentSource = readShaderSource(kTextFragmentFile, resourceDirs_, false);
    for (const auto* source : {&vertexSource, &fragmentSource}) {
        if (source->state == SourceState::Unreadable)
            std::cout << "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ" << std::endl;
        if (source->state != SourceState::Read) success = false;
    }
    reportUnreadSource(vertexSource, kTextVertexFile, report);
    reportUnreadSource(fragmentSource, kTextFragmentFile, report);

    const GLuint vertexShader = glCreateShader(GL_VERTEX_SHADER);
    if (!compileStage(vertexShader, kTextVertexFile, vertexSource.text, vertexSource.state == SourceState::Read,
                      &log)) {
        std::cout << "ERROR::SHADER::VERTEX::COMPILATION_FAILED\n" << log << std::endl;
        success = false;
    }
    const GLuint fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
    if (!compileStage(fragmentShader, kTextFragmentFile, fragmentSource.text, fragmentSource.state == SourceState::Read,
                      &log)) {
        std::cout << "ERROR::SHADER::FRAGMENT::COMPILATION_FAILED\n" << log << std::endl;
        success = false;
    }

    if (gpu_.textProgram != 0) glDeleteProgram(gpu_.textProgram);
    gpu_.textProgram = glCreateProgram();
    glAttachShader(gpu_.textProgram, vertexShader);
    glAttachShader(gpu_.textProgram, fragmentShader);
    if (!linkProgram(gpu_.textProgram, kTextVertexFile, kTextFragmentFile, success, &log)) {
        std::cout << "ERROR::SHADER::PROGRAM::LINKING_FAILED\n" << log << std::endl;
        success = false;
    }
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    if (success) text_ = textUniformsOf(gpu_.textProgram);

    loadGlyphs();
    return success;
}

SceneRenderer::CoreUniforms SceneRenderer::coreUniformsOf(GLName program)
{
    const auto at = [program](const char* name) { return glGetUniformLocation(program, name); };
    CoreUniforms u;
    u.program = program;
    u.ModelMatrix = at("ModelMatrix");
    u.ViewMatrix = at("ViewMatrix");
    u.ProjectionMatrix = at("ProjectionMatrix");
    u.transp = at("transp");
    u.lightColor = at("lightColor");
    u.lightPos = at("lightPos");
    u.current_x = at("current_x");
    u.current_y = at("current_y");
    u.model_z_min = at("model_z_min");
    u.model_z_max = at("model_z_max");
    u.clip_plane0 = at("clip_plane0");
    u.clip_enabled = at("clip_enabled");
    return u;
}

SceneRenderer::TextUniforms SceneRenderer::textUniformsOf(GLName program)
{
    TextUniforms u;
    u.program = program;
    u.projection = glGetUniformLocation(program, "projection");
    u.textColor = glGetUniformLocation(program, "textColor");
    return u;
}

}  // namespace morvane
