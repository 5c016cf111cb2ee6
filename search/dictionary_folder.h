// The folder of the replacement dictionaries ("dic" in the user's documents folder) and the
// dictionaries in it: every regular file is one, named by its file name. Names given by the user
// are checked so that no dictionary file is ever written outside the folder.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messages.h"
#include "search/dictionary.h"

namespace ravelo {

class DictionaryFolder {
 public:
  // documentsFolder ends with "/".
  explicit DictionaryFolder(std::string_view documentsFolder);

  const std::string& path() const { return path_; }
  std::string PathOf(std::string_view name) const { return path_ + "/" + std::string(name); }
  bool Exists() const;
  // Makes the folder when it is missing; false after telling the user it could not be made.
  bool Ensure(Messages& messages) const;
  // The dictionaries in the order the folder lists them; hidden files (a replacement being
  // written) are not among them.
  std::vector<std::string> Names() const;
  // The longest name the name dialog accepts is one byte less than this.
  std::size_t NameLimit() const;

  // Each of these tells the user when it fails.
  bool Create(std::string_view name, Messages& messages) const;
  bool Rename(std::string_view from, std::string_view to, Messages& messages) const;
  // Asks first; false when the user declined or the file stayed.
  bool Delete(std::string_view name, Messages& messages) const;

 private:
  std::string path_;
};

// The first name that begins with prefix, letters compared without regard to case; -1 when none.
// An existing name that merely begins with a new one counts as taken.
int FindByPrefix(const std::vector<std::string>& names, std::string_view prefix);

// The checks of the name dialog: true for a name that can be used; otherwise the user is told why.
bool CheckDictionaryName(std::string_view name, std::size_t limit, Messages& messages);

// The two lines that name a pair in the dictionary dialogs' questions.
std::string PairQuestionText(const PhrasePair& pair);

}  // namespace ravelo
