#pragma once

namespace vimbo {

// What the main form is doing: browsing, or adding or editing one person or
// one contact.
enum class EditMode { Browsing, AddingPerson, EditingPerson, AddingContact, EditingContact };

}  // namespace vimbo
