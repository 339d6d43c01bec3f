// Path text rules both platforms share: "/" separators everywhere, "\" accepted and converted,
// and relative paths taken against a working folder.
#pragma once

#include <string>

namespace hopwerk {

// Every "\" becomes "/".
std::string ToSlashes(std::string path);
bool IsAbsolutePath(const std::string& path);
// folder + "/" + name without doubling the separator; name is returned as is when absolute.
std::string JoinPath(const std::string& folder, const std::string& name);
// Collapses "//", "." and ".." by text alone (no file system look-ups). The result has no
// trailing "/" except the root itself; ".." above the root of an absolute path is dropped.
std::string NormalisePathText(const std::string& path);

}  // namespace hopwerk
