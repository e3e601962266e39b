#include <gtest/gtest.h>

#include <string>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "core/records/date_time_text.h"
#include "support/contacts_index.h"
#include "support/exhaustible_heap.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

// Loads `text` from a file into `data`, as File Open does.
LoadResult LoadText(DocumentData& data, const std::string& text, Clock clock = &DateTimeValue::Now) {
  testing::TempDir dir;
  const std::string path = dir.File("doc.tch");
  testing::WriteBytes(path, text);
  return Load(data, path, clock);
}

DocumentData Sample() {
  DocumentData data;
  data.AddDefaultContactTypes();
  data.user.FName = "Owner";
  data.user.Address = "1 Road\r\nTown";
  Person person;
  person.ID = data.persons.NextID();
  person.LName = "O'Hara & <Sons>";
  person.Address = "Line 1\r\nLine 2";
  person.Pager = "pager";
  data.persons.Insert(person);
  Contact contact;
  contact.ID = data.contacts.NextID();
  contact.PersonID = person.ID;
  contact.ContactTypeID = 2;
  contact.Description = "Notes\r\n\"quoted\"";
  contact.DateTime.SetDateTime(1999, 12, 31, 23, 59, 59);
  data.contacts.Insert(contact);
  Contact midnight = contact;
  midnight.ID = data.contacts.NextID();
  midnight.DateTime.SetDateTime(2000, 2, 29, 0, 0, 0);
  data.contacts.Insert(midnight);
  return data;
}

TEST(DocumentLoader, WrittenFilesReadBackToTheSameBytes) {
  DocumentData original = Sample();
  const std::string text = DocumentText(original);
  DocumentData loaded;
  ASSERT_TRUE(LoadText(loaded, text).Ok());
  EXPECT_EQ(DocumentText(loaded), text);
  EXPECT_EQ(loaded.persons.Find(1)->Address, "Line 1\r\nLine 2");
  EXPECT_EQ(loaded.contacts.Find(2)->DateTime, original.contacts.Find(2)->DateTime);
  EXPECT_EQ(loaded.contacts.Find(1)->DateTime.Second(), 59);
  ASSERT_TRUE(LoadText(loaded, "\xEF\xBB\xBF" + text).Ok()) << "an editor's byte order mark is skipped";
  EXPECT_EQ(DocumentText(loaded), text);
}

TEST(DocumentLoader, OlderVersionIsWrittenBackAsTwelve) {
  DocumentData data;
  ASSERT_TRUE(LoadText(data, "<Vimbo Version=\"7\" Extra=\"x\"><Persons LastID=\"0\"/></Vimbo>").Ok());
  EXPECT_EQ(data.version, 7);
  EXPECT_NE(DocumentText(data).find("<Vimbo Version=\"12\">\n"), std::string::npos);
}

TEST(DocumentLoader, VersionOneGetsTheDefaultTypesAfterItsOwn) {
  DocumentData data;
  const LoadResult result = LoadText(data,
                                     "<Vimbo Version=\"1\"><ContactTypes LastID=\"2\">"
                                     "<ContactType ID=\"1\"><Description>Visit</Description></ContactType>"
                                     "<ContactType ID=\"2\"><Description>Fax</Description></ContactType>"
                                     "</ContactTypes></Vimbo>");
  ASSERT_TRUE(result.Ok());
  EXPECT_TRUE(result.upgraded);
  ASSERT_EQ(data.contactTypes.Size(), 6u);
  EXPECT_EQ(data.contactTypes.Find(3)->Description, "Telephone");
  EXPECT_EQ(data.contactTypes.Find(6)->Description, "Correspondence");
  EXPECT_FALSE(LoadText(data, "<Vimbo Version=\"12\"/>").upgraded);
}

TEST(DocumentLoader, VersionAndNumbersUseTheIntegerReading) {
  EXPECT_EQ(ParseInteger("  -42xyz"), -42);
  EXPECT_EQ(ParseInteger("+7"), 7);
  EXPECT_EQ(ParseInteger("\t\n 12"), 12);
  EXPECT_EQ(ParseInteger("abc"), 0);
  EXPECT_EQ(ParseInteger(""), 0);
  EXPECT_EQ(ParseInteger("- 5"), 0);
  EXPECT_EQ(ParseInteger("99999999999999999999"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), -2147483648LL);
  EXPECT_EQ(ParseInteger("-99999999999"), -2147483648LL);

  DocumentData data;
  data.version = 5;
  ASSERT_TRUE(LoadText(data, "<Vimbo><Persons/></Vimbo>").Ok());
  EXPECT_EQ(data.version, 5) << "without the attribute the version stays";
  ASSERT_TRUE(LoadText(data, "<Vimbo Version=\"x\" Version=\" 3\"/>").Ok());
  EXPECT_EQ(data.version, 3);
}

TEST(DocumentLoader, DuplicateIdsKeepTheFirstRecord) {
  DocumentData data;
  ASSERT_TRUE(LoadText(data,
                       "<Vimbo><Persons LastID=\"9\">"
                       "<Person ID=\"4\"><LName>First</LName></Person>"
                       "<Person ID=\"4\"><LName>Second</LName></Person>"
                       "</Persons></Vimbo>")
                  .Ok());
  ASSERT_EQ(data.persons.Size(), 1u);
  EXPECT_EQ(data.persons.Find(4)->LName, "First");

  // Contacts out of order, repeated, of persons with negative and large IDs.
  ASSERT_TRUE(LoadText(data,
                       "<Vimbo><Contacts>"
                       "<Contact ID=\"7\"><PersonID>70000</PersonID></Contact>"
                       "<Contact ID=\"2\"><PersonID>-3</PersonID></Contact>"
                       "<Contact ID=\"5\"><PersonID>70000</PersonID></Contact>"
                       "<Contact ID=\"2\"><PersonID>4</PersonID></Contact>"
                       "<Contact ID=\"3\"><PersonID>4</PersonID></Contact>"
                       "</Contacts></Vimbo>")
                  .Ok());
  EXPECT_EQ(data.contacts.Find(2)->PersonID, -3);
  testing::ExpectIndexExact(data);
  EXPECT_EQ(data.contacts.GetIndex().ContactIdsOf(70000).size(), 2u);
}

TEST(DocumentLoader, FieldsAreReadAsTheParserGivesThem) {
  DocumentData data;
  ASSERT_TRUE(LoadText(data,
                       "<Vimbo><Persons>\n"
                       "<Person ID=\"1\" ID=\"2\"><FName> padded </FName><FName>last wins</FName>"
                       "<Address>a\r\nb &amp; &#65;</Address><Unknown>x</Unknown><HmPhone>no</HmPhone>"
                       "<Phone>home</Phone><!-- note --></Person>"
                       "<!-- not a record -->"
                       "<Anything><LName>Named by its section</LName></Anything>"
                       "</Persons></Vimbo>")
                  .Ok());
  ASSERT_EQ(data.persons.Size(), 2u);
  const Person* person = data.persons.Find(2);
  ASSERT_NE(person, nullptr);
  EXPECT_EQ(person->FName, "last wins");
  EXPECT_EQ(person->Address, "a\r\nb & A");
  EXPECT_EQ(person->Phone, "home");
  ASSERT_NE(data.persons.Find(0), nullptr) << "a record without ID is read with ID 0";
  EXPECT_EQ(data.persons.Find(0)->LName, "Named by its section");
}

TEST(DocumentLoader, UserSectionReplacesTheUserOrLeavesIt) {
  DocumentData data;
  data.user.FName = "Kept";
  data.user.City = "Old";
  ASSERT_TRUE(LoadText(data, "<Vimbo><Persons/></Vimbo>").Ok());
  EXPECT_EQ(data.user.FName, "Kept");
  ASSERT_TRUE(
      LoadText(data, "<Vimbo><User><FName>New</FName><Phone>x</Phone><HmPhone>1</HmPhone></User></Vimbo>").Ok());
  EXPECT_EQ(data.user.FName, "New");
  EXPECT_EQ(data.user.City, "") << "a field missing from the file becomes empty";
  EXPECT_EQ(data.user.HmPhone, "1");
}

TEST(DocumentLoader, SectionsInAnyOrderAndTwice) {
  DocumentData data;
  ASSERT_TRUE(LoadText(data,
                       "<Vimbo><ContactTypes><T ID=\"3\"><Description>B</Description></T></ContactTypes>"
                       "<Other/><Persons><P ID=\"1\"/></Persons>"
                       "<ContactTypes LastID=\"1\"><T ID=\"1\"><Description>A</Description></T></ContactTypes>"
                       "</Vimbo>")
                  .Ok());
  EXPECT_EQ(data.contactTypes.Size(), 2u);
  EXPECT_EQ(data.persons.Size(), 1u);
}

TEST(DocumentLoader, ContactsWithoutAReadableDateGetTheLoadingTime) {
  DocumentData data;
  ASSERT_TRUE(LoadText(data,
                       "<Vimbo><Contacts LastID=\"3\">"
                       "<Contact ID=\"1\"><DateTime></DateTime><PersonID>x</PersonID></Contact>"
                       "<Contact ID=\"2\"><DateTime>not a date</DateTime></Contact>"
                       "<Contact ID=\"3\"><PersonID> 12</PersonID><ContactTypeID>2</ContactTypeID>"
                       "<DateTime>2/3/2005 4:05:06 PM</DateTime><Description>d</Description></Contact>"
                       "</Contacts></Vimbo>",
                       [] { return DateTimeValue(46000.25); })
                  .Ok());
  for (int32_t id : {1, 2}) EXPECT_EQ(data.contacts.Find(id)->DateTime, DateTimeValue(46000.25));
  EXPECT_EQ(data.contacts.Find(1)->PersonID, 0);
  const Contact& dated = *data.contacts.Find(3);
  EXPECT_EQ(dated.PersonID, 12);
  EXPECT_EQ(dated.ContactTypeID, 2);
  EXPECT_EQ(DocumentDateText(dated.DateTime), "2/3/2005 4:05:06 PM");
}

TEST(DocumentLoader, DatesSurviveAChangeOfLocale) {
  // The file's date text is one fixed form, so what one locale wrote another
  // reads back to the second.
  DocumentData original = Sample();
  const std::string text = DocumentText(original);
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  for (const char* locale : {"C", "C.UTF-8", "de_DE.UTF-8", "en_GB.UTF-8"}) {
    if (std::setlocale(LC_ALL, locale) == nullptr) continue;
    DocumentData loaded;
    ASSERT_TRUE(LoadText(loaded, text).Ok());
    EXPECT_EQ(DocumentText(loaded), text) << locale;
  }
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(DocumentLoader, OtherRootsAreNoDocumentAndLeaveItCleared) {
  DocumentData data;
  data.persons.Insert(Person{});
  data.persons.LastID = 3;
  data.user.FName = "Kept";
  data.version = 4;
  const LoadResult result = LoadText(data, "<vimbo Version=\"1\"><Persons><Person ID=\"1\"/></Persons></vimbo>");
  EXPECT_EQ(result.status, LoadResult::Status::kNotDocument);
  EXPECT_FALSE(result.upgraded);
  EXPECT_TRUE(data.persons.Empty());
  EXPECT_EQ(data.persons.LastID, 0);
  EXPECT_EQ(data.user.FName, "Kept");
  EXPECT_EQ(data.version, 4);
  EXPECT_EQ(LoadDocumentText(data, "<?xml version=\"1.0\"?>\n<Other/>").status, LoadResult::Status::kNotDocument);
}

TEST(DocumentLoader, RunningOutOfMemoryIsAnUnreadableFile) {
  DocumentData sample = Sample();
  const std::string text = DocumentText(sample);
  // The heap runs out after each number of allocations in turn, until the
  // load needs no more than are left: every earlier stop is a clean refusal.
  LoadResult result;
  for (long left = 0; !result.Ok() || left == 0; ++left) {
    SCOPED_TRACE(left);
    DocumentData data;
    data.user.FName = "Kept";
    std::string bytes = text;
    testing::gAllocationsLeft = left;
    result = LoadDocumentText(data, std::move(bytes));
    testing::gAllocationsLeft = -1;
    if (result.Ok()) break;
    EXPECT_EQ(result.status, LoadResult::Status::kUnreadable);
    EXPECT_TRUE(data.persons.Empty() && data.contacts.Empty() && data.contactTypes.Empty());
    EXPECT_EQ(data.user.FName, "Kept");
  }
}

TEST(DocumentLoader, AParseErrorGivesItsLineAndLeavesTheCollectionsEmpty) {
  DocumentData data = Sample();
  const LoadResult result = LoadText(data,
                                     "<?xml version=\"1.0\"?>\n<Vimbo Version=\"12\">\n\t<Persons LastID=\"1\">\n"
                                     "\t\t<Person ID=\"1\">\n\t\t\t<FName>x</LName>\n\t\t</Person>\n");
  EXPECT_EQ(result.status, LoadResult::Status::kParseError);
  EXPECT_EQ(result.errorLine, 5);
  EXPECT_EQ(ParseErrorMessage(result.errorLine), "Parsing error at line 5");
  EXPECT_EQ(ParseErrorMessage(int64_t{3000000000}), "Parsing error at line 3000000000");
  EXPECT_TRUE(data.persons.Empty());
  EXPECT_TRUE(data.contacts.Empty());
  EXPECT_TRUE(data.contactTypes.Empty());
  EXPECT_EQ(data.user.FName, "Owner");
}

TEST(DocumentLoader, AMissingFileChangesNothing) {
  DocumentData data = Sample();
  const std::string before = DocumentText(data);
  testing::TempDir dir;
  EXPECT_EQ(Load(data, dir.File("missing.tch")).status, LoadResult::Status::kUnreadable);
  EXPECT_EQ(Load(data, dir.Path().string()).status, LoadResult::Status::kUnreadable);
  EXPECT_EQ(DocumentText(data), before);
}

TEST(DocumentLoader, CountersAreRaisedToTheHighestIdPresent) {
  DocumentData data;
  data.persons.LastID = 50;  // not empty before the load: Clear() resets it
  data.persons.Insert(Person{});
  ASSERT_TRUE(LoadText(data,
                       "<Vimbo><Persons LastID=\"2\"><Person ID=\"5\"/><Person ID=\"3\"/></Persons>"
                       "<Contacts LastID=\"40\"><Contact ID=\"7\"/></Contacts>"
                       "<ContactTypes><ContactType ID=\"-3\"/></ContactTypes></Vimbo>")
                  .Ok());
  EXPECT_EQ(data.persons.LastID, 5);
  EXPECT_EQ(data.persons.NextID(), 6) << "a new person cannot take an existing ID";
  EXPECT_EQ(data.contacts.LastID, 40) << "a counter is never lowered";
  EXPECT_EQ(data.contactTypes.LastID, 0);
}

TEST(DocumentLoader, ACounterLeftByClearIsKeptWithoutLastID) {
  DocumentData data;
  data.persons.LastID = 7;  // empty collection: Clear() keeps the counter
  ASSERT_TRUE(LoadText(data, "<Vimbo><Persons><Person ID=\"2\"/></Persons></Vimbo>").Ok());
  EXPECT_EQ(data.persons.LastID, 7);
}

// What a person has beyond the seventeen fields comes after them, each only
// when present, and reads back to the same bytes; a detail of a kind this
// version does not know stays as a custom one.
TEST(DocumentLoader, PersonExtrasReadBackToTheSameBytes) {
  const std::string fields =
      "\t\t\t<Title></Title>\n\t\t\t<FName>Ann</FName>\n\t\t\t<LName>Lee</LName>\n\t\t\t<Address></Address>\n"
      "\t\t\t<City></City>\n\t\t\t<State></State>\n\t\t\t<Zip></Zip>\n\t\t\t<Phone></Phone>\n"
      "\t\t\t<WkPhone></WkPhone>\n\t\t\t<WkExt></WkExt>\n\t\t\t<Pager></Pager>\n\t\t\t<CelPhone></CelPhone>\n"
      "\t\t\t<Fax></Fax>\n\t\t\t<EMail></EMail>\n\t\t\t<WebPage></WebPage>\n\t\t\t<Company></Company>\n"
      "\t\t\t<Position></Position>\n";
  const std::string extras =
      "\t\t\t<Birthday>1980-04-12</Birthday>\n"
      "\t\t\t<Anniversary>--02-29</Anniversary>\n"
      "\t\t\t<KeepInTouch>30</KeepInTouch>\n"
      "\t\t\t<Notes>Met at &lt;the&gt; fair\r\nLikes tea</Notes>\n"
      "\t\t\t<Detail Kind=\"phone\" Label=\"work\">+49 611 1234</Detail>\n"
      "\t\t\t<Detail Kind=\"email\">ann@example.org</Detail>\n"
      "\t\t\t<Detail Kind=\"address\" Label=\"work\" Street=\"1 Dock Rd&#13;&#10;Unit &quot;4&quot;\" "
      "City=\"Kiel\" PostalCode=\"24103\" Country=\"Germany\"/>\n"
      "\t\t\t<Detail Kind=\"url\">https://example.org/a?b=1&amp;c=2</Detail>\n"
      "\t\t\t<Detail Kind=\"im\" Label=\"xmpp\">ann@chat.example.org</Detail>\n"
      "\t\t\t<Detail Kind=\"sip\">sip:ann@example.org</Detail>\n"
      "\t\t\t<Detail Kind=\"name\" Label=\"nickname\">Annie</Detail>\n"
      "\t\t\t<Detail Kind=\"org\" Label=\"unit\">Sales</Detail>\n"
      "\t\t\t<Detail Kind=\"custom\" Label=\"X-SHOE-SIZE\">38</Detail>\n"
      "\t\t\t<Detail Kind=\"photo\" Type=\"image/png\">iVBORw0KGgo=</Detail>\n";
  const std::string person = "\t\t<Person ID=\"1\">\n" + fields + extras + "\t\t</Person>\n";
  DocumentData data;
  const std::string text = DocumentText(data);
  const std::size_t at = text.find("\t</Persons>");
  std::string withPerson = text;
  withPerson.insert(at, person);
  withPerson.replace(withPerson.find("LastID=\"0\""), 10, "LastID=\"1\"");
  ASSERT_TRUE(LoadDocumentText(data, withPerson).Ok());
  const Person& read = *data.persons.Find(1);
  EXPECT_EQ(read.Birthday, (PartialDate{1980, 4, 12}));
  EXPECT_FALSE(read.Anniversary.HasYear());
  EXPECT_EQ(read.KeepInTouch, 30);
  ASSERT_EQ(read.Details.size(), 10U);
  EXPECT_EQ(read.Details[2].street, "1 Dock Rd\r\nUnit \"4\"");
  EXPECT_EQ(read.Details[2].region, "");
  EXPECT_EQ(read.Details[9].type, "image/png");
  EXPECT_EQ(DocumentText(data), withPerson);

  std::string future = withPerson;
  future.replace(future.find("Kind=\"sip\""), 10, "Kind=\"fax2\"");
  DocumentData later;
  ASSERT_TRUE(LoadDocumentText(later, future).Ok());
  EXPECT_EQ(later.persons.Find(1)->Details[5].kind, DetailKind::kCustom);
  EXPECT_EQ(later.persons.Find(1)->Details[5].value, "sip:ann@example.org");
}

// A follow-up is a contact's last element, only when set: a day alone or a
// moment, open or done; one without a readable date is none.
TEST(DocumentLoader, FollowUpsReadBackToTheSameBytes) {
  const auto contact = [](int id, const std::string& followUp) {
    return "\t\t<Contact ID=\"" + std::to_string(id) +
           "\">\n\t\t\t<PersonID>1</PersonID>\n\t\t\t<DateTime>3/1/2026 9:30:00 AM</DateTime>\n"
           "\t\t\t<Description>call</Description>\n\t\t\t<ContactTypeID>1</ContactTypeID>\n" +
           followUp + "\t\t</Contact>\n";
  };
  DocumentData data;
  Person person;
  person.ID = data.persons.NextID();
  data.persons.Insert(person);
  std::string text = DocumentText(data);
  const std::string contacts = contact(1, "\t\t\t<FollowUp Done=\"0\">3/15/2026</FollowUp>\n") +
                               contact(2, "\t\t\t<FollowUp Done=\"1\">3/2/2026 4:05:00 PM</FollowUp>\n") +
                               contact(3, "");
  text.insert(text.find("\t</Contacts>"), contacts);
  text.replace(text.find("<Contacts LastID=\"0\">"), 21, "<Contacts LastID=\"3\">");
  ASSERT_TRUE(LoadDocumentText(data, text).Ok());
  EXPECT_EQ(IsoDateText(data.contacts.Find(1)->FollowUp.When), "2026-03-15");
  EXPECT_FALSE(data.contacts.Find(1)->FollowUp.Done);
  EXPECT_TRUE(data.contacts.Find(2)->FollowUp.Done);
  EXPECT_FALSE(data.contacts.Find(3)->FollowUp.IsSet());
  EXPECT_EQ(DocumentText(data), text);

  std::string unreadable = text;
  unreadable.replace(unreadable.find("3/15/2026"), 9, "soon");
  DocumentData other;
  ASSERT_TRUE(LoadDocumentText(other, unreadable).Ok());
  EXPECT_FALSE(other.contacts.Find(1)->FollowUp.IsSet());
}

}  // namespace
}  // namespace vimbo
