// The code keeps its layers: the drawing layer knows SDL and the standard
// library only, nothing else calls SDL's drawing, the game's look knows no
// station, the rules know no drawing mechanics, and no files include each
// other in a circle.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#ifndef MERVANTA_SOURCE_DIR
#define MERVANTA_SOURCE_DIR "."
#endif

namespace {

namespace fs = std::filesystem;

// Each file of src/ by its path from src/ ("draw/window.cpp"), with its text.
std::map<std::string, std::string> sources()
{
    std::map<std::string, std::string> files;
    const fs::path src = fs::path(MERVANTA_SOURCE_DIR) / "src";
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        files[fs::relative(entry.path(), src).generic_string()] = text.str();
    }
    return files;
}

std::vector<std::string> includes(const std::string& text, bool quoted)
{
    std::vector<std::string> found;
    std::regex include(quoted ? R"re(#include\s+"([^"]+)")re" : R"re(#include\s+<([^>]+)>)re");
    for (auto at = std::sregex_iterator(text.begin(), text.end(), include); at != std::sregex_iterator(); ++at)
        found.push_back((*at)[1]);
    return found;
}

std::string folderOf(const std::string& path)
{
    return path.substr(0, path.find('/'));
}

// A file and its header are one piece: "draw/window.cpp" is "draw/window".
std::string pieceOf(const std::string& path)
{
    return path.substr(0, path.rfind('.'));
}

}  // namespace

TEST(Layers, EachFolderIncludesOnlyWhatItsLayerMay)
{
    const std::map<std::string, std::set<std::string>> forbidden = {
        {"draw", {"app", "present", "truck", "production", "finishing", "state"}},
        {"present", {"app", "truck", "production", "finishing"}},
        {"truck", {"draw", "app"}},
        {"production", {"draw", "app"}},
        {"finishing", {"draw", "app"}},
        {"state", {"draw", "app", "present", "truck", "production", "finishing"}},
    };
    size_t checked = 0;
    for (const auto& [path, text] : sources()) {
        auto rule = forbidden.find(folderOf(path));
        if (rule == forbidden.end()) continue;
        for (const std::string& header : includes(text, true)) {
            EXPECT_FALSE(rule->second.count(folderOf(header))) << path << " includes " << header;
            ++checked;
        }
        if (folderOf(path) != "draw") continue;
        for (const std::string& header : includes(text, false))
            EXPECT_TRUE(header == "SDL.h" || header.find('.') == std::string::npos || header.ends_with("intrin.h"))
                << path << " includes <" << header << ">: the drawing layer knows SDL and the standard library only";
    }
    EXPECT_GT(checked, 100u);
}

TEST(Layers, OnlyTheDrawingLayerCallsSdlsDrawing)
{
    const std::regex drawing(R"(\bSDL_(Render[A-Z]\w*|UpdateTexture|LockTexture|UnlockTexture|DestroyTexture|)"
                             R"(CreateTexture\w*|SetTexture\w+|GetTexture\w+|QueryTexture|CreateRenderer|)"
                             R"(CreateSoftwareRenderer|DestroyRenderer|GetRenderer\w*|GetWindowSurface|)"
                             R"(UpdateWindowSurface\w*)\s*\()");
    size_t inLayer = 0;
    for (const auto& [path, text] : sources()) {
        std::smatch call;
        bool calls = std::regex_search(text, call, drawing);
        if (folderOf(path) == "draw") {
            inLayer += calls;
            continue;
        }
        EXPECT_FALSE(calls) << path << " calls " << call.str();
    }
    EXPECT_GT(inLayer, 5u) << "the pattern finds the layer's own calls";
}

TEST(Layers, NoPiecesIncludeEachOtherInACircle)
{
    std::map<std::string, std::set<std::string>> uses;
    for (const auto& [path, text] : sources())
        for (const std::string& header : includes(text, true))
            if (pieceOf(header) != pieceOf(path)) uses[pieceOf(path)].insert(pieceOf(header));
    // Depth-first, each piece marked while it is on the path.
    std::map<std::string, int> state;  // 1 on the path, 2 done
    std::vector<std::string> path;
    std::function<void(const std::string&)> visit = [&](const std::string& piece) {
        state[piece] = 1;
        path.push_back(piece);
        for (const std::string& next : uses[piece]) {
            if (state[next] == 1) {
                std::string circle;
                for (auto at = std::find(path.begin(), path.end(), next); at != path.end(); ++at) circle += *at + " -> ";
                ADD_FAILURE() << "a circle: " << circle << next;
            } else if (state[next] == 0) {
                visit(next);
            }
        }
        path.pop_back();
        state[piece] = 2;
    };
    for (const auto& [piece, _] : uses)
        if (state[piece] == 0) visit(piece);
    EXPECT_GT(uses.size(), 40u);
}
