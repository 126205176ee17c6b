// Runs every variant of the damaged-file corpus (tools/generator/damaged_corpus.h) through morvane-info, and the
// production files and a sample of the grids through the headless snapshot, each in a child process of its own
// with a time limit, and judges what each run did:
//   crash      the child died of a signal
//   hang       it did not end within its time
//   exit       its exit code was neither 0 (loaded) nor 1 (refused)
//   memory     its peak resident memory, beyond that of a run on an empty file, passed 4 times what the model it
//              declares needs (plus the file itself and 16 MB of slack)
//   silent     it loaded data other than the undamaged file's without a warning that names the damaged file
//   unclear    it refused the file without naming the damaged file, or without saying where (a line, or the end
//              of the file), unless the whole file is at fault (empty, garbage, a special file, a missing include);
//              or it refused a special file without saying what stands there (a folder, a pipe, a link loop, ...)
//   snapshot   the snapshot loaded a grid that morvane-info refused, or the other way round
// Prints a table of variants by outcome for each kind of file. Exit status 1 when an asserted check fails (see
// kAsserted), 0 otherwise; with --report every outcome is only counted, for comparing builds.
//
// Usage: damaged_corpus_check --info MORVANE_INFO --viewer MORVANE --out DIR [--report]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "io/memory_budget.h"
#include "tools/generator/damaged_corpus.h"

namespace {

namespace fs = std::filesystem;
using morvane::gen::DamagedVariant;

// Which checks are asserted for which kind of file. Crashes, hangs, exit codes, memory and the snapshot's agreement
// hold for every kind.
struct KindChecks {
    const char* kind;
    bool refusalsNamed;  // "unclear" fails the check
    bool changesWarned;  // "silent" fails the check
};
constexpr KindChecks kAsserted[] = {
    {"grid", true, true}, {"include", true, true},    {"property", true, true},
    {"well", true, true}, {"production", true, true},
};

const char* const kOutcomes[] = {"ok", "crash", "hang", "exit", "memory", "silent", "unclear", "snapshot"};

struct Run {
    bool crashed = false, timedOut = false;
    int exitCode = -1;
    long peakKb = 0;
    std::string out, err;
};

std::string fileText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs `args` with its output in files beside `log`, under an address-space limit, for at most `seconds`.
Run runChild(const std::vector<std::string>& args, const fs::path& log, int seconds, std::uint64_t addressSpace)
{
    Run run;
    const fs::path outFile = log.string() + ".out", errFile = log.string() + ".err";
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = ::open("/dev/null", O_RDONLY);
        dup2(out, 1);
        dup2(err, 2);
        dup2(in, 0);
        if (addressSpace > 0) {
            const rlimit limit{addressSpace, addressSpace};
            setrlimit(RLIMIT_AS, &limit);
        }
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    rusage usage{};
    for (;;) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid) break;
        if (std::chrono::steady_clock::now() > deadline) {
            run.timedOut = true;
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    run.peakKb = usage.ru_maxrss;
    if (!run.timedOut) {
        if (WIFSIGNALED(status)) run.crashed = true;
        if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    }
    run.out = fileText(outFile);
    run.err = fileText(errFile);
    return run;
}

// The output without the texts that name files or explain: what was loaded, to compare with the undamaged file's.
// `folder` is the variant's own folder, which the log names with the grid it read.
std::string loadedFigures(const std::string& kind, const Run& run, const std::string& folder)
{
    static const std::regex texts(R"re("(message|details|builder_message|problem)": "(?:[^"\\]|\\.)*")re");
    // A property of a marked file is its name (from the marker line) and its values. The keyword line above the
    // marker is a label (the import reads only whether it names a fraction, as the name does), and the lines move
    // with any comment line added or lost: neither is what was loaded.
    static const std::regex where(R"re("keyword": "(?:[^"\\]|\\.)*", |"line": \d+, )re");
    if (kind == "property") return std::regex_replace(std::regex_replace(run.out, texts, ""), where, "");
    if (kind != "production") return std::regex_replace(run.out, texts, "");
    // The snapshot's log, without the lines that name the files opened, and without the variant's folder.
    std::istringstream lines(run.err);
    std::string line, kept;
    while (std::getline(lines, line)) {
        if (line.rfind("Opening file:", 0) == 0 || line.rfind("QStandardPaths", 0) == 0) continue;
        for (std::size_t at; !folder.empty() && (at = line.find(folder)) != std::string::npos;)
            line.erase(at, folder.size());
        kept += line + "\n";
    }
    return kept;
}

// What the run says besides the figures: messages, warnings, the log.
std::string saidText(const std::string& kind, const Run& run)
{
    if (kind == "production") return loadedFigures(kind, run, {});
    return run.out + "\n" + run.err;
}

bool namesFile(const std::string& said, const fs::path& file)
{
    return said.find(file.filename().string()) != std::string::npos;
}

bool locates(const std::string& said)
{
    return said.find("line ") != std::string::npos || said.find("Line ") != std::string::npos ||
           said.find("строк") != std::string::npos || said.find("end of the file") != std::string::npos;
}

// A special file in a file's place is said as such: the word its refusal must hold, by the variant's name.
bool saysWhatStandsThere(const DamagedVariant& v, std::string said)
{
    // The variant's folder is named after it ("grid-folder"): its path says nothing.
    const std::string folder = v.target.parent_path().string();
    for (std::size_t at; (at = said.find(folder)) != std::string::npos;) said.erase(at, folder.size());
    for (const auto& [name, word] :
         {std::pair{"folder", "folder"}, std::pair{"fifo", "pipe"}, std::pair{"linkloop", "loop"},
          std::pair{"device", "device"}, std::pair{"unreadable", "permission"}})
        if (v.id.size() >= std::strlen(name) &&
            v.id.compare(v.id.size() - std::strlen(name), std::string::npos, name) == 0)
            return said.find(word) != std::string::npos;
    return true;
}

// Damage that leaves a valid file of its kind, which no reader can tell from one written so: a whole line of a
// deviation or production file deleted (a survey or a table of one row fewer; a lost header or name line is refused
// instead), or such a file cut right after a line end (the same as its last rows deleted). Loading it as it stands
// is all a reader can do.
bool indistinguishable(const DamagedVariant& v)
{
    if (v.kind != "well" && v.kind != "production") return false;
    if (v.damage == "delete-line") return true;
    if (v.damage != "cut") return false;
    const std::string text = fileText(v.damaged);
    return !text.empty() && text.back() == '\n';
}

// Damage of the whole file: there is no line to name.
bool wholeFileDamage(const DamagedVariant& v)
{
    return v.damage == "empty" || v.damage == "special" || v.damage == "garbage" || v.damage == "count" ||
           v.id.find("missing") != std::string::npos || v.id.find("no-coord") != std::string::npos;
}

std::vector<std::string> infoArgs(const std::string& info, const DamagedVariant& v)
{
    if (v.kind == "property") return {info, "--grid", (v.target.parent_path() / "CORPUS.GRDECL").string(), v.target};
    return {info, v.target.string()};
}

std::vector<std::string> snapshotArgs(const std::string& viewer, const DamagedVariant& v, const fs::path& picture)
{
    std::vector<std::string> args{viewer, "--snapshot", picture.string(), "--size", "64x48"};
    if (v.kind == "production") {
        const fs::path dir = v.target.parent_path();
        for (const char* f : {"CORPUS.GRDECL", "W-1.dev", "W-2.dev"}) args.push_back((dir / f).string());
        args.push_back("--production");
    }
    args.push_back(v.target.string());
    return args;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string info, viewer;
    fs::path out;
    bool report = false;
    for (int n = 1; n < argc; ++n) {
        const std::string a = argv[n];
        if (a == "--report")
            report = true;
        else if (a == "--info" && n + 1 < argc)
            info = argv[++n];
        else if (a == "--viewer" && n + 1 < argc)
            viewer = argv[++n];
        else if (a == "--out" && n + 1 < argc)
            out = argv[++n];
    }
    if (info.empty() || viewer.empty() || out.empty()) {
        std::fprintf(stderr, "usage: damaged_corpus_check --info MORVANE_INFO --viewer MORVANE --out DIR [--report]\n");
        return 2;
    }
    const std::vector<DamagedVariant> variants = morvane::gen::writeDamagedCorpus(out / "corpus");
    const fs::path logs = out / "runs";
    fs::create_directories(logs);
    constexpr std::uint64_t kAddressSpace = std::uint64_t{4} << 30;

    // The memory of a run that reads nothing, and the undamaged files' figures.
    morvane::gen::DamagedVariant empty{"grid", "empty-run", "none", out / "EMPTY.GRDECL", out / "EMPTY.GRDECL", 0, 0};
    std::ofstream(out / "EMPTY.GRDECL").close();
    const long emptyKb = runChild(infoArgs(info, empty), logs / "empty-run", 20, kAddressSpace).peakKb;
    std::map<std::string, std::string> baseFigures;

    std::map<std::string, std::map<std::string, int>> table;  // kind -> outcome -> variants
    std::vector<std::string> failures;
    int index = 0;
    for (const DamagedVariant& v : variants) {
        const bool production = v.kind == "production";
        const Run run = production ? runChild(snapshotArgs(viewer, v, logs / (v.id + ".png")), logs / v.id, 60, 0)
                                   : runChild(infoArgs(info, v), logs / v.id, 10, kAddressSpace);
        const std::string folder = v.target.parent_path().string();
        if (v.damage == "none") baseFigures[v.kind] = loadedFigures(v.kind, run, folder);
        std::set<std::string> outcomes;
        if (run.crashed) outcomes.insert("crash");
        if (run.timedOut) outcomes.insert("hang");
        if (!run.crashed && !run.timedOut && run.exitCode != 0 && run.exitCode != 1) outcomes.insert("exit");
        std::error_code error;
        const auto size = fs::is_regular_file(v.damaged, error) ? fs::file_size(v.damaged, error) : 0;
        const double needKb =
            (4.0 * static_cast<double>(morvane::gridImportNeed(v.cells, v.pillars)) + double(size)) / 1024 + 16384;
        if (!production && run.peakKb - emptyKb > needKb) outcomes.insert("memory");
        const std::string said = saidText(v.kind, run);
        if (run.exitCode == 0 && v.damage != "none" && !namesFile(said, v.damaged) && !indistinguishable(v) &&
            (loadedFigures(v.kind, run, folder) != baseFigures[v.kind] || (production && v.damage == "value")))
            outcomes.insert("silent");
        if (run.exitCode == 1 && (!namesFile(said, v.damaged) || (!locates(said) && !wholeFileDamage(v)) ||
                                  (v.damage == "special" && !saysWhatStandsThere(v, said))))
            outcomes.insert("unclear");
        // A sample of the grids through the snapshot: it loads exactly what morvane-info loads.
        if (v.kind == "grid" && index++ % 4 == 0 && !run.timedOut) {
            const Run shot = runChild(snapshotArgs(viewer, v, logs / (v.id + ".png")), logs / (v.id + "-shot"), 60, 0);
            if (shot.crashed) outcomes.insert("crash");
            if (shot.timedOut) outcomes.insert("hang");
            if (!shot.crashed && !shot.timedOut && shot.exitCode != run.exitCode) outcomes.insert("snapshot");
        }
        if (outcomes.empty()) outcomes.insert("ok");
        for (const std::string& o : outcomes) ++table[v.kind][o];

        const KindChecks* checks = nullptr;
        for (const KindChecks& k : kAsserted)
            if (v.kind == k.kind) checks = &k;
        for (const std::string& o : outcomes) {
            const bool asserted = o == "crash" || o == "hang" || o == "exit" || o == "memory" || o == "snapshot" ||
                                  (o == "unclear" && checks && checks->refusalsNamed) ||
                                  (o == "silent" && checks && checks->changesWarned);
            if (o != "ok" && (asserted || report)) {
                std::string first = said.substr(0, 300);
                std::replace(first.begin(), first.end(), '\n', ' ');
                failures.push_back(v.id + " [" + v.damage + "]: " + o + " (exit " + std::to_string(run.exitCode) +
                                   ", " + std::to_string(run.peakKb / 1024) + " MB) " + first +
                                   (asserted ? "" : "  (not asserted)"));
            }
        }
    }

    std::printf("%-11s %9s", "kind", "variants");
    for (const char* o : kOutcomes) std::printf(" %8s", o);
    std::printf("\n");
    for (const auto& [kind, counts] : table) {
        int total = 0;
        for (const DamagedVariant& v : variants) total += v.kind == kind;
        std::printf("%-11s %9d", kind.c_str(), total);
        for (const char* o : kOutcomes) std::printf(" %8d", counts.count(o) ? counts.at(o) : 0);
        std::printf("\n");
    }
    for (const std::string& f : failures) std::printf("%s\n", f.c_str());
    if (report) return 0;
    for (const std::string& f : failures)
        if (f.find("(not asserted)") == std::string::npos) return 1;
    return 0;
}
