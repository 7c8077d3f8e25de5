// The corvane program as a user runs it: `describe` prints each module's
// declaration and `script` drives modules and dumps them, as JSON lines; a
// script error stops the run with status 2 and "SOURCE:LINE: message".
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "support.hpp"

extern char** environ;

namespace {
using namespace corvane_test;
using json = nlohmann::json;
using ::testing::HasSubstr;
using ::testing::StartsWith;

struct Outcome {
    int status = -1;  // exit status, or 128 + signal
    std::string out, err;

    std::vector<json> lines() const {
        std::vector<json> parsed;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            if (!line.empty()) parsed.push_back(json::parse(line));
        return parsed;
    }
};

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs corvane with `arguments`, `input` on its standard input.
Outcome corvane(const std::vector<std::string>& arguments, const std::string& input = "") {
    TempDir folder;
    const std::string in = folder.write("stdin", input), out = folder.file("stdout"), err = folder.file("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> words{corvane_binary};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    Outcome run;
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, corvane_binary.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot run " + corvane_binary);
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = read_file(out);
    run.err = read_file(err);
    return run;
}

// Where `actual` departs from `expected`, or "": objects need the expected
// keys (more may follow), arrays the same length, values equal.
std::string mismatch(const json& actual, const json& expected, const std::string& where = "$") {
    if (expected.is_object()) {
        if (!actual.is_object()) return where + " is " + actual.dump() + ", not an object";
        for (const auto& [key, value] : expected.items()) {
            if (!actual.contains(key)) return where + "." + key + " is missing";
            if (std::string found = mismatch(actual[key], value, where + "." + key); !found.empty()) return found;
        }
        return "";
    }
    if (expected.is_array()) {
        if (!actual.is_array() || actual.size() != expected.size())
            return where + " is " + actual.dump() + ", not " + expected.dump();
        for (size_t i = 0; i < expected.size(); ++i)
            if (std::string found = mismatch(actual[i], expected[i], where + "[" + std::to_string(i) + "]");
                !found.empty())
                return found;
        return "";
    }
    return actual == expected ? "" : where + " is " + actual.dump() + ", not " + expected.dump();
}

// ---- describe ----------------------------------------------------------------------

json bezel_description(const char* name, const char* bitmap, int width, int height) {
    return {{"module", name},
            {"gauge", name},
            {"version", 800},
            {"size_mm", 100},
            {"size", {width, height}},
            {"tooltip", nullptr},
            {"tokens", json::array()},
            {"elements", {{{"i", 0}, {"kind", "static"}, {"resource", bitmap}, {"pos", {0, 0}}, {"pivot", {0, 0}}}}},
            {"mouse", json::parse(R"([{"kind":"parent"},{"kind":"end_parent"},{"kind":"end"}])")}};
}

const json fixture_description = json::parse(R"({
  "module": "Fixture", "gauge": "Fixture", "version": 800, "size_mm": 100, "size": [200, 200],
  "tooltip": "Fixture",
  "tokens": [769, 10, 11, 12, 14, 18, 19, 20, 17],
  "elements": [
    {"i": 0, "kind": "static", "resource": "0x100", "pos": [0, 0], "pivot": [0, 0]},
    {"i": 1, "kind": "needle", "resource": "0x200", "pos": [100, 100], "pivot": [5, 5],
     "table": [[100, 20, 0], [99, 20, 359]]},
    {"i": 2, "kind": "needle", "resource": "0x200", "pos": [100, 100], "pivot": [5, 5],
     "table": [[60, 100, 0], [100, 60, 50], [140, 100, 100]]},
    {"i": 3, "kind": "string", "resource": null, "pos": [10, 150], "pivot": [0, 0], "box": [60, 20],
     "color": "#00FF00", "font": "Quartz", "weight": 400},
    {"i": 4, "kind": "string", "pos": [80, 150], "box": [40, 20], "color": "#FFFFFF", "font": "Glass Gauge",
     "weight": 500},
    {"i": 5, "kind": "icon", "resource": "0x300", "pos": [10, 40], "states": 3, "token": 13},
    {"i": 6, "kind": "icon", "resource": "0x310", "pos": [40, 40], "states": 2, "token": 0},
    {"i": 7, "kind": "slider", "resource": "0x400", "pos": [150, 150], "scale": [2, -3], "tokens": [15, 16]},
    {"i": 8, "kind": "moving", "resource": "0x500", "pos": [10, 100], "range_y": [100, 0]},
    {"i": 9, "kind": "sprite", "resource": "0x600", "pos": [150, 40], "pivot": [20, 20], "scale": [0, 1.5, -1]},
    {"i": 10, "kind": "string", "pos": [10, 175], "box": [60, 20], "color": "#00FF00", "font": "Quartz",
     "weight": 400},
    {"i": 11, "kind": "string", "pos": [80, 175], "box": [40, 20], "color": "#FFFFFF", "font": "Glass Gauge",
     "weight": 500},
    {"i": 12, "kind": "string", "pos": [130, 175], "box": [30, 20], "color": "#FFFFFF", "font": "Glass Gauge",
     "weight": 500},
    {"i": 13, "kind": "string", "pos": [160, 175], "box": [40, 20], "color": "#FFB000", "font": "Glass Gauge",
     "weight": 100}
  ],
  "mouse": [
    {"kind": "parent"},
    {"kind": "tooltip", "text": "Fixture"},
    {"kind": "hotspot", "box": [10, 10, 30, 20], "cursor": 5, "flags": "0x20000000"},
    {"kind": "hotspot", "box": [50, 10, 30, 20], "cursor": 1, "flags": "0x20200000"},
    {"kind": "hotspot", "box": [120, 10, 20, 80], "cursor": 0, "flags": "0x800000"},
    {"kind": "hotspot", "box": [10, 10, 140, 100], "cursor": 5, "flags": "0x20000000"},
    {"kind": "end_parent"},
    {"kind": "end"}
  ]
})");

TEST(CliDescribe, PrintsEachModulesDeclarationAsOneJsonLine) {
    Outcome run = corvane({"describe", "Tq3_Background", "Corvane_DummyS", fixture_path()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    auto lines = run.lines();
    ASSERT_EQ(lines.size(), 3u) << run.out;
    EXPECT_EQ(mismatch(lines[0], bezel_description("Tq3_Background", "0x1400", 736, 770)), "");
    EXPECT_EQ(mismatch(lines[1], bezel_description("Corvane_DummyS", "0x100", 342, 345)), "");
    EXPECT_EQ(mismatch(lines[2], fixture_description), "");
}

TEST(CliDescribe, FindsModulesByNameInTheFolderGiven) {
    Outcome run = corvane({"--modules", fixture_dir, "describe", "Fixture"});
    ASSERT_EQ(run.status, 0) << run.err;
    auto lines = run.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(mismatch(lines[0], fixture_description), "");
}

TEST(CliDescribe, ReportsAModuleThatFailsToLoadAndDescribesTheOthers) {
    Outcome run = corvane({"describe", "Tq3_Background", fault_dir + "/fault_wrong_id.gau", "Corvane_DummyS"});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("module fault_wrong_id: wrong module id 0x14"));
    auto lines = run.lines();
    ASSERT_EQ(lines.size(), 2u) << run.out;
    EXPECT_EQ(lines[0]["module"], "Tq3_Background");
    EXPECT_EQ(lines[1]["module"], "Corvane_DummyS");
}

// ---- script ---------------------------------------------------------------------------

TEST(CliScript, RunsTheScriptAndDumpsTheModules) {
    const std::string script = "load " + fixture_path() + " " + fault_dir + "/c_gauge.gau\n" +
                               "set 769 1\n"
                               "set 12 5\n"
                               "set 13 1\n"
                               "set 10 nan\n"
                               "set 11 inf\n"
                               "set 15 -inf\n"
                               "set 17 -inf   # below the end of the range\n"
                               "frame 2\n"
                               "click Fixture 55 15 2\n"
                               "drag Fixture 125 40\n"
                               "click c_gauge 5 5\n"
                               "dump Fixture\n"
                               "dump c_gauge\n"
                               "dump Fixture\n"
                               "kill Fixture\n"
                               "dump Fixture\n";
    Outcome run = corvane({"script", "-"}, script);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    auto lines = run.lines();
    ASSERT_EQ(lines.size(), 4u) << run.out;

    const json fixture = lines[0];
    EXPECT_EQ(mismatch(fixture, json::parse(R"({
      "module": "Fixture",
      "events": [{"id": "0x10102", "value": 536870912}, {"id": "0x10102", "value": 2097152},
                 {"id": "0x10102", "value": 2097152}, {"id": "0x10103", "value": 30}],
      "vars": {"fixture_var": 0},
      "sound": {"loaded": true, "terminate_calls": 0}
    })")),
              "");
    const json& elements = fixture["elements"];
    ASSERT_EQ(elements.size(), 14u);
    struct Expected {
        size_t element;
        json fields;
    };
    const Expected expected[] = {
        {FullTurnNeedle, {{"kind", "needle"}, {"value", "nan"}, {"angle", 0}}},
        {ThreeNeedle, {{"kind", "needle"}, {"value", "inf"}}},
        {PoweredReadout, {{"kind", "string"}, {"hidden", false}, {"lit", true}, {"text", "   5.0"}}},
        {SourceIcon, {{"kind", "icon"}, {"state", 1}, {"bitmap", "0x301"}}},
        {Slider, {{"kind", "slider"}, {"x", "-inf"}, {"y", 0}, {"offset", {"-inf", 0}}}},
        {Moving, {{"kind", "moving"}, {"x", 0}, {"y", "-inf"}, {"offset", 60}}},
        {Counter, {{"kind", "string"}, {"text", "C 7"}}},
    };
    for (const Expected& e : expected)
        EXPECT_EQ(mismatch(elements[e.element], e.fields), "") << "element " << e.element;
    EXPECT_NEAR(elements[ThreeNeedle]["angle"].get<double>(), 90, 1e-9);

    EXPECT_EQ(mismatch(lines[1], json::parse(R"({"module": "c_gauge", "events": [{"id": "0x100ab", "value": -5}]})")),
              "");
    EXPECT_EQ(mismatch(lines[2], json::parse(R"({"module": "Fixture", "events": []})")), "") << "events taken twice";
    EXPECT_EQ(mismatch(lines[3], json::parse(R"({"module": "Fixture", "vars": {},
                                              "sound": {"loaded": false, "terminate_calls": 1}})")),
              "");
}

struct ScriptErrorCase {
    const char* name;
    std::string line;
    std::string message;
};
void PrintTo(const ScriptErrorCase& c, std::ostream* out) { *out << c.line; }

// Lines 1 to 4 run and dump once; line 5 fails; line 6 never runs.
std::string script_failing_at_line_five(const std::string& bad_line) {
    return "load " + fixture_path() + "\n# a comment\nframe 2 # two frames\ndump Fixture\n" + bad_line +
           "\ndump Fixture\n";
}

class CliScriptErrorTest : public ::testing::TestWithParam<ScriptErrorCase> {};

TEST_P(CliScriptErrorTest, StopsWithStatusTwoAndNamesTheLine) {
    const ScriptErrorCase& c = GetParam();
    TempDir folder;
    const std::string file = folder.write("failing.script", script_failing_at_line_five(c.line));
    Outcome run = corvane({"script", file});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, file + ":5: " + c.message + "\n");
    auto lines = run.lines();
    ASSERT_EQ(lines.size(), 1u) << "the dump before the error is kept, the one after it never runs";
    EXPECT_EQ(lines[0]["module"], "Fixture");
}

const ScriptErrorCase script_error_cases[] = {
    {"UnknownCommand", "bogus 1", "unknown command 'bogus'"},
    {"TrailingLetter", "set 12 12x", "'12x' is not a decimal number"},
    {"HexadecimalReal", "set 12 0x10", "'0x10' is not a decimal number"},
    {"EmptyExponent", "set 12 1e", "'1e' is not a decimal number"},
    {"HexadecimalToken", "set 0x10 1", "'0x10' is not a whole number"},
    {"FractionalCount", "frame 1.5", "'1.5' is not a whole number"},
    {"UnknownModule", "click Nope 1 2", "unknown module 'Nope' (not loaded)"},
    {"ModuleFailsToLoad", "load " + fault_dir + "/fault_wrong_id.gau",
     "module fault_wrong_id: wrong module id 0x14 (expected 0x13)"},
};

INSTANTIATE_TEST_SUITE_P(CliScript, CliScriptErrorTest, ::testing::ValuesIn(script_error_cases),
                         [](const ::testing::TestParamInfo<ScriptErrorCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(CliScript, ErrorsOnStandardInputAreNamedAfterIt) {
    Outcome run = corvane({"script", "-"}, script_failing_at_line_five("load Missing"));
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, StartsWith("<stdin>:5: module Missing: no module file at "));
    EXPECT_EQ(run.lines().size(), 1u);
}

TEST(CliScript, RefusesAScriptFileItCannotRead) {
    TempDir folder;
    const std::string file = folder.file("absent.script");
    Outcome run = corvane({"script", file});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr(file));
    EXPECT_EQ(run.out, "");
}

}  // namespace
