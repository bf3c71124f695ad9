// Helpers shared by the tests: scratch directories, files, a scripted key source.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pulsepost::testing {

// A fresh empty directory under the system's temporary directory, removed with its content when
// the object goes out of scope.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Runs the current working directory in dir for the object's lifetime.
class WorkingDir {
  public:
    explicit WorkingDir(const std::string& dir);
    ~WorkingDir();
    WorkingDir(const WorkingDir&) = delete;
    WorkingDir& operator=(const WorkingDir&) = delete;

  private:
    std::string saved_;
};

std::string readFile(const std::string& path);
std::vector<uint8_t> readBytes(const std::string& path);
void writeFile(const std::string& path, const std::string& content);
bool fileExists(const std::string& path);

// Installs a key source that delivers the given keys, one per due check, for its lifetime.
class ScriptedKeys {
  public:
    explicit ScriptedKeys(std::vector<int> keys);
    ~ScriptedKeys();
    ScriptedKeys(const ScriptedKeys&) = delete;
    ScriptedKeys& operator=(const ScriptedKeys&) = delete;
    // Number of keys read so far.
    std::size_t consumed() const { return next_; }
    // Number of times a key was asked for.
    std::size_t checks() const { return checks_; }

  private:
    static int keyWaiting(void* self);
    static int readKey(void* self);
    std::vector<int> keys_;
    std::size_t next_ = 0;
    std::size_t checks_ = 0;
};

}  // namespace pulsepost::testing
