#include "test_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "platform/console.h"

namespace pulsepost::testing {

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pulsepost-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

WorkingDir::WorkingDir(const std::string& dir) {
    saved_ = std::filesystem::current_path().string();
    std::filesystem::current_path(dir);
}

WorkingDir::~WorkingDir() {
    std::error_code ignored;
    std::filesystem::current_path(saved_, ignored);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

bool fileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

ScriptedKeys::ScriptedKeys(std::vector<int> keys) : keys_(std::move(keys)) {
    const KeySource source{&ScriptedKeys::keyWaiting, &ScriptedKeys::readKey, this};
    setKeySource(&source);
}

ScriptedKeys::~ScriptedKeys() {
    setKeySource(nullptr);
}

int ScriptedKeys::keyWaiting(void* self) {
    auto* keys = static_cast<ScriptedKeys*>(self);
    keys->checks_ += 1;
    return keys->next_ < keys->keys_.size() ? 1 : 0;
}

int ScriptedKeys::readKey(void* self) {
    auto* keys = static_cast<ScriptedKeys*>(self);
    if (keys->next_ >= keys->keys_.size()) return 0;
    return keys->keys_[keys->next_++];
}

}  // namespace pulsepost::testing
