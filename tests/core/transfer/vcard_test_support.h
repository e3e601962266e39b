#pragma once
// A person as the lines a test compares: every field that is set, the dates,
// the notes, and each detail with its kind and label.

#include <string>

#include "core/records/field_tables.h"
#include "core/records/records.h"

namespace vimbo::testing {

inline std::string Describe(const Person& person) {
  std::string text;
  for (const RecordField<Person>& field : kPersonFields)
    if (!(person.*field.member).empty())
      text.append(field.fileName).append("=").append((person.*field.member).view()).append("\n");
  if (person.Birthday.IsSet()) text += "Birthday=" + person.Birthday.Text() + "\n";
  if (person.Anniversary.IsSet()) text += "Anniversary=" + person.Anniversary.Text() + "\n";
  if (!person.Notes.empty()) text += "Notes=" + person.Notes.str() + "\n";
  for (const PersonDetail& d : person.Details) {
    text.append(DetailKindName(d.kind)).append("[").append(d.label.view()).append("]=").append(d.value.view());
    if (d.kind == DetailKind::kAddress)
      for (const AddressPart& part : kAddressParts) text.append("|").append((d.*part.member).view());
    if (d.kind == DetailKind::kPhoto) text.append(" ").append(d.type.view());
    text += "\n";
  }
  return text;
}

}  // namespace vimbo::testing
