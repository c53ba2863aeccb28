#include "TestRegistry.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace tavtest {
namespace {

std::map<std::string, TestRun> &tests() {
    static std::map<std::string, TestRun> registered;
    return registered;
}

std::string testName(const char *sourcePath) {
    std::string name(sourcePath);
    const std::size_t slash = name.find_last_of('/');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

} // namespace

bool registerTest(const char *sourcePath, TestRun run) {
    tests()[testName(sourcePath)] = std::move(run);
    return true;
}

} // namespace tavtest

// The test named first, with the arguments after it as QtTest takes them.
int main(int argc, char *argv[]) {
    const auto &registered = tavtest::tests();
    const auto found = argc >= 2 ? registered.find(argv[1]) : registered.end();
    if (found == registered.end()) {
        std::fprintf(stderr, "usage: %s TEST [QtTest options]\ntests:", argv[0]);
        for (const auto &test : registered)
            std::fprintf(stderr, " %s", test.first.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    // QtTest and the application see the program as if it were the test alone, under the
    // test's name (the name a window's title takes), beside the folder's program.
    static std::string program = argv[0];
    const std::size_t slash = program.find_last_of('/');
    program = (slash == std::string::npos ? std::string() : program.substr(0, slash + 1)) +
              found->first;
    argv[1] = program.data();
    return found->second(argc - 1, argv + 1);
}
