#include "config/configuration_setup.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "config/axis_map.h"
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "platform/files.h"
#include "report/message_sink.h"

namespace pulsepost {

namespace {

// The directory part of the configuration paths, for the lock: configDir itself, or the
// current directory when it is empty.
const char* lockedDirectory(const char* configDir) {
    return configDir[0] != '\0' ? configDir : ".";
}

// Sets the defaults with the FILTER.CFG overrides and, when allowed, writes them as the new
// ZORVAN.CFG. FILTER.CFG is deleted only once the new file is in place, so that its overrides
// are never lost to a write that failed.
void replaceWithDefaults(bool writeBack) {
    setDefaultMachineConfig();
    const bool overridden = applyFilterOverrides();
    if (!writeBack) return;
    if (!writeMachineConfig()) {
        messageSinkf(MessageCode::FileOpen, "%s could not be written: %s; the defaults are used",
                     configFilePath(), std::strerror(errno));
        return;
    }
    if (overridden) removeFilterOverrides();
}

// A ZORVAN.CFG that is there but does not read good. A regular file is kept beside the new one as
// ZORVAN.CFG.bak (replacing an older backup) and replaced; a file that cannot be read, something
// other than a regular file, or a symbolic link (whose target may be any file) is left as it is
// and the defaults are used for this call only. Every case is reported.
void settleUnreadableConfig(const ConfigReadOutcome& outcome) {
    const char* path = configFilePath();
    if (outcome.open == OpenStatus::NotRegular) {
        messageSinkf(MessageCode::FileOpen, "%s is not a regular file; the defaults are used",
                     path);
        replaceWithDefaults(false);
        return;
    }
    if (outcome.open == OpenStatus::Failed) {
        messageSinkf(MessageCode::FileOpen, "%s cannot be read: %s; the defaults are used", path,
                     std::strerror(outcome.error));
        replaceWithDefaults(false);
        return;
    }
    if (isSymbolicLink(path)) {
        messageSinkf(MessageCode::FileOpen,
                     "%s is a symbolic link to a file whose value %d does not read; the defaults "
                     "are used and the link is left as it is",
                     path, outcome.firstBadValue);
        replaceWithDefaults(false);
        return;
    }
    char backup[kReplacementPathLimit + 1];
    std::snprintf(backup, sizeof backup, "%s.bak", path);
    if (!keepBackup(path, backup)) {
        messageSinkf(MessageCode::FileOpen,
                     "%s: value %d does not read, and no backup could be kept (%s); the defaults "
                     "are used and the file is left as it is",
                     path, outcome.firstBadValue, std::strerror(errno));
        replaceWithDefaults(false);
        return;
    }
    messageSinkf(MessageCode::Notice,
                 "%s: value %d does not read; the file is replaced by the defaults and the old "
                 "one kept as %s",
                 path, outcome.firstBadValue, backup);
    replaceWithDefaults(true);
}

}  // namespace

// The configuration of one call, rebuilt from its files every time: a good ZORVAN.CFG is taken
// as it is and FILTER.CFG is left alone; a missing one is created with the defaults and the
// FILTER.CFG overrides; a damaged one is kept as ZORVAN.CFG.bak and replaced the same way. Then
// params.cfg (created when missing) and the axis map. The read-modify-write holds a lock on the
// configuration directory, so that conversions starting at once take their turns. A file that
// cannot be written or read never stops the call: the values in memory are then the defaults.
int32_t setUpConfiguration(const char* configDir) {
    if (configDir == nullptr) configDir = "";
    if (!setConfigurationDirectory(configDir)) {
        messageSinkf(MessageCode::Refused,
                     "the configuration directory is longer than %d characters",
                     kConfigDirectoryLimit);
        return -1;
    }
    resetMachineConfig();
    resetCutParams();
    DirectoryLock lock(lockedDirectory(configDir));
    ConfigReadOutcome outcome;
    if (readMachineConfig(&outcome) != 0) {
        if (outcome.open == OpenStatus::Missing) {
            replaceWithDefaults(true);
        } else {
            settleUnreadableConfig(outcome);
        }
    }
    readCutParams();
    buildAxisMap();
    return 0;
}

}  // namespace pulsepost
