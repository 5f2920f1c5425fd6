#pragma once

#include <string>
#include <vector>

namespace kal {

// The four files opened or saved last, newest first, kept in the settings ("Recent File List").
class RecentFiles {
public:
    static constexpr int kCount = 4;

    void Load();
    // Both take the path by value: it may well be one of Paths(), which they rearrange.
    void Add(std::string path);
    void Remove(std::string path);
    [[nodiscard]] const std::vector<std::string>& Paths() const { return paths_; }

private:
    void Store() const;
    std::vector<std::string> paths_;
};

} // namespace kal
