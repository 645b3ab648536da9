// The skin author's reference, written from the key table (SkinKeys.h) as
// Markdown: every section with what it skins, its keys and its pictures'
// frames, then every list of keys with each key's value, default and
// meaning. `skintool keys` prints it; docs/skin-format.md holds it.
#pragma once

#include <ostream>

namespace skintool {

void WriteKeysReference(std::ostream& out);

} // namespace skintool
