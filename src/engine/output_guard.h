#pragma once
// What a run must not write over and what earlier runs left behind: the
// run's input files, which no output may replace (a mask such as
// "%filename%.wmf" into the input folder would destroy them), and the side
// files of interrupted runs, removed for each output the run writes.
// Shared by all conversions of a run; safe to use from several threads.

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace plotvale::engine {

class OutputGuard {
public:
    // The files to protect, taken by identity so that any name of them counts.
    explicit OutputGuard(const std::vector<std::string>& protectedPaths = {});

    // True when `path` names one of the protected files.
    bool isProtected(const std::string& path) const;

    // Removes the side files left for this output (see temp_name.h). Each
    // folder is read once per guard, before this run writes side files into
    // it, so the run's own side files are never taken for stale ones.
    void removeStaleSideFiles(const std::string& outputPath);

private:
    using StaleFiles = std::map<std::string, std::vector<std::string>>;  // output name -> side names

    StaleFiles& staleFilesOf(const std::string& folder);

    std::set<platform::FileIdentity> protected_;
    std::mutex mutex_;
    std::map<std::string, StaleFiles> folders_;
};

}  // namespace plotvale::engine
