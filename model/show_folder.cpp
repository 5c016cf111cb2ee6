#include "model/show_folder.h"

#include <algorithm>
#include <string>

#include "model/string_table.h"

namespace ravelo {

bool ShowFolderInExplorer(Desktop& desktop, Messages& messages, std::string_view path) {
  const std::size_t slash = path.rfind('/');
  // The root keeps its "/": it is a folder too.
  const std::string folder(slash == std::string_view::npos ? std::string_view{}
                                                           : path.substr(0, std::max<std::size_t>(slash, 1)));
  if (!folder.empty() && desktop.ShowFolder(folder)) return true;
  ShowResourceMessage(messages, "", kMsgExplorerFailed, MessageIcon::Stop);
  return false;
}

}  // namespace ravelo
