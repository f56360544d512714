#pragma once
// Where the program finds its own files (the theme archives of the window
// face, the HTML manual, the loadable module of the window face). Run from the build tree, they are the build's and
// the source tree's folders; installed, they lie beside the executable's
// prefix (<prefix>/bin/plotvale), so a moved install still finds them:
//   themes  <prefix>/share/plotvale/gfx/
//   manual  <prefix>/share/doc/plotvale/manual/
//   modules <prefix>/lib/plotvale/

#include <string>
#include <string_view>

namespace plotvale::platform {

struct ResourceFolders {
    std::string themes;  // the theme archives (*.zip), with a trailing "/"
    std::string manual;  // the HTML manual (index.html), with a trailing "/"
    std::string modules;  // the program's loadable modules, with a trailing "/"
};

// The folders of a build tree: its root, and where it keeps each resource.
struct BuildTreeFolders {
    std::string root;  // the build folder, with a trailing "/"
    std::string themes;
    std::string manual;
    std::string modules;
};

// The install layout below a prefix, shared with the install rules.
inline constexpr std::string_view InstalledThemesFolder = "share/plotvale/gfx/";
inline constexpr std::string_view InstalledManualFolder = "share/doc/plotvale/manual/";
inline constexpr std::string_view InstalledModulesFolder = "lib/plotvale/";

// The folders for an executable in executableFolder (with a trailing "/"):
// the build tree's when the executable lies inside buildTree.root, else the
// installed ones of the prefix above the executable's folder.
ResourceFolders resourceFoldersFor(std::string_view executableFolder,
                                   const BuildTreeFolders& buildTree);

// The build tree this program was built in.
BuildTreeFolders thisBuildTree();

// The folders of the running program.
ResourceFolders resourceFolders();

}  // namespace plotvale::platform
