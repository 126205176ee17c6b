// Building the two shader programs from their source files. The main program reports to the trace channel, the
// text program to standard output with the compiler's log.
#include <GL/glew.h>

#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/trace.h"
#include "render/resource_files.h"
#include "render/scene_renderer.h"

namespace morvane {

namespace {

bool compile(GLuint shader, const std::string& source)
{
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    return ok != 0;
}

std::string shaderLog(GLuint shader)
{
    char log[512] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    return log;
}

std::string programLog(GLuint program)
{
    char log[512] = {};
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    return log;
}

// The whole file, or empty when it cannot be found or read.
std::string readWholeFile(const std::optional<std::filesystem::path>& path)
{
    if (!path) return {};
    std::ifstream file;
    file.exceptions(std::ifstream::badbit);
    std::stringstream text;
    try {
        file.open(*path);
        if (file.is_open()) text << file.rdbuf();
    } catch (const std::ios_base::failure&) {
        std::cout << "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ" << std::endl;
        return {};
    }
    return text.str();
}

}  // namespace

// Every line of the file followed by one "\n", so a last line without a line break still ends with one.
std::string SceneRenderer::readShaderLines(const std::string& file, bool* opened) const
{
    std::string source;
    const auto path = findResource(file, resourceDirs_);
    std::ifstream in;
    if (path) in.open(*path);
    *opened = in.is_open();
    std::string line;
    while (*opened && std::getline(in, line)) source += line + "\n";
    return source;
}

bool SceneRenderer::loadShaders(GLName& program)
{
    if (!glAvailable_) return false;
    bool success = true;
    bool opened = false;

    const std::string vertexSource = readShaderLines("vertex_core.glsl", &opened);
    if (!opened) {
        trace("ERROR COULD NOT OPEN VERTEX SHADER FILE");
        success = false;
    }
    const GLuint vertexShader = glCreateShader(GL_VERTEX_SHADER);
    if (!compile(vertexShader, vertexSource)) {
        shaderLog(vertexShader);
        trace("ERROR COULD NOT COMPILE VERTEX SHADER");
        success = false;
    }

    const std::string fragmentSource = readShaderLines("fragment_core.glsl", &opened);
    if (!opened) {
        trace("ERROR COULD NOT OPEN FRAGMENT SHADER FILE");
        success = false;
    }
    const GLuint fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
    if (!compile(fragmentShader, fragmentSource)) {
        shaderLog(fragmentShader);
        trace("ERROR COULD NOT COMPILE FRAGMENT SHADER");
        success = false;
    }

    if (program != 0) glDeleteProgram(program);  // a rebuilt program replaces the old one
    program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        programLog(program);
        trace("ERROR COULD NOT LINK PROGRAM");
    }

    glUseProgram(0);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    return success;
}

void SceneRenderer::loadTextShader()
{
    if (!glAvailable_) return;
    const std::string vertexSource = readWholeFile(findResource("text_vertex.glsl", resourceDirs_));
    const std::string fragmentSource = readWholeFile(findResource("text_fragment.glsl", resourceDirs_));

    const GLuint vertexShader = glCreateShader(GL_VERTEX_SHADER);
    if (!compile(vertexShader, vertexSource))
        std::cout << "ERROR::SHADER::VERTEX::COMPILATION_FAILED\n" << shaderLog(vertexShader) << std::endl;
    const GLuint fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
    if (!compile(fragmentShader, fragmentSource))
        std::cout << "ERROR::SHADER::FRAGMENT::COMPILATION_FAILED\n" << shaderLog(fragmentShader) << std::endl;

    if (s_.text_program != 0) glDeleteProgram(s_.text_program);
    s_.text_program = glCreateProgram();
    glAttachShader(s_.text_program, vertexShader);
    glAttachShader(s_.text_program, fragmentShader);
    glLinkProgram(s_.text_program);
    GLint linked = 0;
    glGetProgramiv(s_.text_program, GL_LINK_STATUS, &linked);
    if (!linked) std::cout << "ERROR::SHADER::PROGRAM::LINKING_FAILED\n" << programLog(s_.text_program) << std::endl;
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);

    loadGlyphs();
}

}  // namespace morvane
