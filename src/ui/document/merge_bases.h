#pragma once
// The copies of each document as this user last opened or saved it, kept in
// the state folder. Two copies of a log edited apart, one of them a sync
// tool's conflicted copy, are joined best against the version both started
// from, and these copies are where the program finds it. A few versions of
// each document are kept, one file per content, the oldest going first.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>

namespace vimbo::merge_bases {

// How a kept copy is known: the SHA-1 of its bytes, in hex.
QString ContentHash(std::string_view bytes);

// Keeps the file `document` as it is now. The copy is made in the
// background, so a save of a large document does not wait for it.
void Keep(const QString& document);

// The newest kept copy of `document` whose content hash is none of
// `excluded`; nothing when there is none. Waits for copies still being made.
std::optional<std::string> Newest(const QString& document, const QStringList& excluded);

}  // namespace vimbo::merge_bases
