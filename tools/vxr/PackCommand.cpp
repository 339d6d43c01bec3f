#include <algorithm>
#include <filesystem>
#include <iostream>
#include <set>

#include "ExtractIndex.h"
#include "VxrTool.h"
#include "archive/Vxr.h"
#include "schema/EntryText.h"

namespace hopwerk {

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> Compile(const std::string& entryName, const std::string& archiveName,
                             const fs::path& file) {
  const EntryFormat* format = FindEntryFormat(entryName, archiveName);
  if (!format) {
    throw ToolError{file.string() + ": no readable form is known for entry " + ShowName(entryName) +
                    " in " + (archiveName.empty() ? std::string("this archive") : archiveName) +
                    " (see vxr --help)"};
  }
  const std::vector<uint8_t> raw = ReadWholeFile(file.string());
  std::vector<uint8_t> bytes;
  EntryTextError error;
  if (!EntryTextToBytes(*format, std::string(raw.begin(), raw.end()), bytes, error)) {
    throw ToolError{file.string() + ":" + std::to_string(error.line) + ": " + error.message};
  }
  return bytes;
}

bool EndsWithTextExtension(const std::string& path) {
  const std::string ext = kEntryTextExtension;
  if (path.size() <= ext.size()) return false;
  return VxrUpper(path.substr(path.size() - ext.size())) == VxrUpper(ext);
}

// Whether path, with every link in it resolved, lies inside the folder realRoot (resolved too).
bool LiesInside(const fs::path& realRoot, const fs::path& path) {
  std::error_code ec;
  const fs::path real = fs::canonical(path, ec);
  if (ec) return false;
  auto r = realRoot.begin();
  auto p = real.begin();
  for (; r != realRoot.end(); ++r, ++p) {
    if (p == real.end() || *r != *p) return false;
  }
  return p != real.end();
}

ToolError PointsOutside(const fs::path& file, const std::string& folder) {
  std::error_code ec;
  const fs::path target = fs::is_symlink(fs::symlink_status(file, ec))
                              ? fs::read_symlink(file, ec)
                              : fs::weakly_canonical(file, ec);
  return ToolError{file.string() + ": a symbolic link to " + target.string() +
                   ", which is not a file inside " + folder + ": not packed"};
}

// Every regular file under root, relative with "/", sorted byte by byte. A symbolic link to a
// file inside root is one more file, under the link's own name; a link to a folder inside root
// is not followed (what it holds is packed where it lies); a link to anything else, outside
// root or nowhere, is refused, or only listed when refuseLinksOut is false (nothing listed
// there is packed).
std::vector<std::string> FilesUnder(const fs::path& root, const fs::path& realRoot,
                                    const fs::path& skip, bool refuseLinksOut) {
  std::vector<std::string> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_symlink(ec)) {
      if (!LiesInside(realRoot, it->path())) {
        if (refuseLinksOut) throw PointsOutside(it->path(), root.string());
        files.push_back(it->path().lexically_relative(root).generic_string());
        continue;
      }
      if (it->is_directory(ec)) {
        std::cout << "note: " << it->path().lexically_relative(root).generic_string()
                  << " is a link to a folder and was not followed\n";
        continue;
      }
    }
    if (!it->is_regular_file(ec)) continue;
    if (!skip.empty() && fs::equivalent(it->path(), skip, ec)) continue;
    files.push_back(it->path().lexically_relative(root).generic_string());
  }
  if (ec) throw ToolError{root.string() + ": cannot list: " + ec.message()};
  std::sort(files.begin(), files.end());
  return files;
}

// A file packed by its place in the folder: a readable form compiled into the entry it names,
// anything else as it is.
VxrWriteEntry EntryOfFile(const fs::path& root, const std::string& file,
                          const std::string& archiveName) {
  VxrWriteEntry entry;
  if (EndsWithTextExtension(file)) {
    entry.name = file.substr(0, file.size() - std::string(kEntryTextExtension).size());
    entry.data = Compile(entry.name, archiveName, root / file);
  } else {
    entry.name = file;
    entry.data = ReadWholeFile((root / file).string());
  }
  if (entry.name.size() > 255) {
    throw ToolError{(root / file).string() + ": entry name longer than 255 bytes"};
  }
  return entry;
}

// Whether a name or a folder on its way starts with a dot: left behind by a tool (a killed
// import's temporary folder), not added by the author.
bool HiddenPart(const std::string& file) {
  return file[0] == '.' || file.find("/.") != std::string::npos;
}

}  // namespace

int PackCommand(const std::string& folder, const std::string& archivePath) {
  fs::path root = fs::path(folder).lexically_normal();
  if (!root.has_filename() && root.has_parent_path() && root != root.root_path()) {
    root = root.parent_path();  // "src/" names the folder "src"
  }
  std::error_code ec;
  if (!fs::is_directory(root, ec)) throw ToolError{folder + ": not a folder"};
  const fs::path realRoot = fs::canonical(root, ec);
  if (ec) throw ToolError{folder + ": cannot resolve: " + ec.message()};
  fs::path skip;
  if (fs::exists(archivePath, ec)) skip = fs::path(archivePath);

  std::vector<VxrWriteEntry> entries;
  const fs::path indexPath = root / kIndexFileName;
  if (fs::exists(indexPath, ec)) {
    const std::vector<uint8_t> raw = ReadWholeFile(indexPath.string());
    const IndexFile index = ParseIndex(std::string(raw.begin(), raw.end()), indexPath.string(),
                                       ArchiveFileName(archivePath));
    std::set<std::string> listed{kIndexFileName};
    for (const auto& line : index.lines) {
      const fs::path file = root / line.file;
      if (!fs::is_regular_file(file, ec)) {
        throw ToolError{indexPath.string() + ":" + std::to_string(line.line) + ": file " +
                        QuoteEntryText(line.file) + " is missing"};
      }
      if (!LiesInside(realRoot, file)) throw PointsOutside(file, root.string());
      listed.insert(line.file);
      VxrWriteEntry entry;
      entry.name = line.name;
      entry.meth = line.meth;
      entry.data =
          line.text ? Compile(line.name, index.archive, file) : ReadWholeFile(file.string());
      entries.push_back(std::move(entry));
    }
    // What was added since the extraction (a level vxr tiled wrote, say) follows what the
    // index lists, as a folder without an index is packed, instead of being left out.
    for (const auto& file : FilesUnder(root, realRoot, skip, false)) {
      if (listed.count(file)) continue;
      if (!LiesInside(realRoot, root / file)) {
        std::cout << "note: " << file << " is not in " << kIndexFileName
                  << " and leads outside the folder: not packed\n";
        continue;
      }
      if (HiddenPart(file)) {
        std::cout << "note: " << file << " is not in " << kIndexFileName
                  << " and is hidden: not packed\n";
        continue;
      }
      std::cout << "note: " << file << " is not in " << kIndexFileName
                << ": packed after the files it lists\n";
      entries.push_back(EntryOfFile(root, file, ArchiveFileName(archivePath)));
    }
  } else {
    for (const auto& file : FilesUnder(root, realRoot, skip, true)) {
      entries.push_back(EntryOfFile(root, file, ArchiveFileName(archivePath)));
    }
  }
  if (!WriteVxrArchive(archivePath, entries)) throw ToolError{archivePath + ": cannot write"};
  std::cout << entries.size() << " records packed into " << archivePath << "\n";
  return 0;
}

// One readable form on its own, outside any archive: a patch folder's ID file is such an entry.
int CompileCommand(const std::string& source, const std::string& output) {
  const std::string name = fs::path(source).filename().string();
  if (!EndsWithTextExtension(name)) {
    throw ToolError{source + ": not a readable form (" + kEntryTextExtension + ")", 2};
  }
  const std::string entry = name.substr(0, name.size() - std::string(kEntryTextExtension).size());
  std::error_code ec;
  if (!fs::is_regular_file(source, ec)) throw ToolError{source + ": not a file"};
  WriteWholeFile(output, Compile(entry, "", source));
  return 0;
}

}  // namespace hopwerk
