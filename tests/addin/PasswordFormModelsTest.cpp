// The settings lock: which typed texts it accepts, and how its two dialogs answer a wrong
// password, two different new passwords and the switch that shows the typed characters.
#include "PasswordFormModels.h"

#include <gmock/gmock.h>

#include "FakeDialogControls.h"
#include "FakeHost.h"

namespace tandry::addin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Whether `typed` opens the lock when `stored` (plain text; empty: none; null: a stored password
// that can't be read) was set.
struct AcceptCase {
  const char16_t* stored;
  const char16_t* typed;
  bool accepted;
};

void PrintTo(const AcceptCase& c, std::ostream* out) {
  const std::u16string stored = c.stored ? c.stored : u"(unreadable)", typed = c.typed;
  *out << "stored [" << std::string(stored.begin(), stored.end()) << "] typed ["
       << std::string(typed.begin(), typed.end()) << ']';
}

// A password is stored, but the store can't read it back.
void MakeUnreadable(FakeDialogServices& services) { services.stored = std::nullopt; }

class AcceptsPasswordTest : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(AcceptsPasswordTest, MasterOrStoredPasswordExactly) {
  const AcceptCase& c = GetParam();
  FakeDialogServices services;
  if (c.stored) {
    services.SavePassword(c.stored);
  } else {
    MakeUnreadable(services);
  }
  EXPECT_EQ(AcceptsPassword(services, c.typed), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(Cases, AcceptsPasswordTest,
                         ::testing::Values(AcceptCase{u"", u"", true},
                                           AcceptCase{u"", u"x", false},
                                           AcceptCase{u"secret", u"secret", true},
                                           AcceptCase{u"secret", u"Secret", false},
                                           AcceptCase{u"secret", u"secret ", false},
                                           AcceptCase{u"secret", u"", false},
                                           AcceptCase{u"secret", u"KRW Tolve", true},
                                           AcceptCase{u"", u"KRW Tolve", true},
                                           AcceptCase{u"secret", u"krw tolve", false},
                                           AcceptCase{u"secret", u"KRW Tolve ", false},
                                           AcceptCase{u"KRW Tolve ", u"KRW Tolve ", true},
                                           AcceptCase{nullptr, u"KRW Tolve", true},
                                           AcceptCase{nullptr, u"", false},
                                           AcceptCase{nullptr, u"x", false},
                                           AcceptCase{nullptr, u"KRW Tolve ", false}));

const std::u16string kIncorrect = u"Incorrect Password. Please enter password again.";
const std::u16string kMismatch =
    u"The new passwords do not match. Please enter new passwords again.";

class SetPasswordFormTest : public ::testing::Test {
 protected:
  SetPasswordFormTest() {
    services_.SavePassword(u"secret");
    form_.Load();
  }
  void Ok(const std::u16string& typed) {
    controls_.UserTypes(set_password_form::PasswordText, typed);
    controls_.UserClicks(form_, set_password_form::OKCommand);
  }

  FakeDialogControls controls_{SetPasswordFormLayout()};
  FakeDialogServices services_;
  SetPasswordFormModel form_{controls_, services_};
};

TEST_F(SetPasswordFormTest, WrongPasswordIsEmptiedAndFocusedAndTheFormStays) {
  Ok(u"Secret");
  EXPECT_THAT(services_.messages, ElementsAre(std::make_pair(kIncorrect, MessageIcon::Critical)));
  EXPECT_EQ(controls_.Caption(set_password_form::PasswordText), u"");
  EXPECT_EQ(controls_.focus, set_password_form::PasswordText);
  EXPECT_EQ(controls_.hides, 0);
  EXPECT_FALSE(form_.OKPressed());

  Ok(u"secret");
  EXPECT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(controls_.hides, 1);
  EXPECT_TRUE(form_.OKPressed());
  EXPECT_EQ(form_.PasswordText(), u"secret");
}

TEST_F(SetPasswordFormTest, MasterPasswordOpensAndCancelLeaves) {
  Ok(u"KRW Tolve");
  EXPECT_TRUE(form_.OKPressed());
  form_.Load();
  EXPECT_FALSE(form_.OKPressed());
  controls_.UserClicks(form_, set_password_form::CancelCommand);
  EXPECT_FALSE(form_.OKPressed());
  EXPECT_EQ(controls_.hides, 2);
  EXPECT_THAT(services_.messages, IsEmpty());
}

class ChangePasswordFormTest : public ::testing::Test {
 protected:
  ChangePasswordFormTest() {
    services_.SavePassword(u"secret");
    form_.Load();
  }
  void Ok(const std::u16string& current, const std::u16string& first,
          const std::u16string& second) {
    controls_.UserTypes(change_password_form::CurrentPasswordText, current);
    controls_.UserTypes(change_password_form::NewPasswordText, first);
    controls_.UserTypes(change_password_form::New2PasswordText, second);
    controls_.UserClicks(form_, change_password_form::OKCommand);
  }
  std::u16string Text(ControlId box) { return controls_.Caption(box); }

  FakeDialogControls controls_{ChangePasswordFormLayout()};
  FakeDialogServices services_;
  ChangePasswordFormModel form_{controls_, services_};
};

TEST_F(ChangePasswordFormTest, WrongCurrentPasswordIsAllThatIsReported) {
  using namespace change_password_form;
  Ok(u"wrong", u"a", u"b");
  EXPECT_THAT(services_.messages, ElementsAre(std::make_pair(kIncorrect, MessageIcon::Critical)));
  EXPECT_EQ(Text(CurrentPasswordText), u"");
  EXPECT_EQ(Text(NewPasswordText), u"a");
  EXPECT_EQ(Text(New2PasswordText), u"b");
  EXPECT_EQ(controls_.focus, CurrentPasswordText);
  EXPECT_EQ(controls_.hides, 0);
}

TEST_F(ChangePasswordFormTest, DifferentNewPasswordsAreBothEmptied) {
  using namespace change_password_form;
  Ok(u"secret", u"new", u"New");
  EXPECT_THAT(services_.messages, ElementsAre(std::make_pair(kMismatch, MessageIcon::Critical)));
  EXPECT_EQ(Text(CurrentPasswordText), u"secret");
  EXPECT_EQ(Text(NewPasswordText), u"");
  EXPECT_EQ(Text(New2PasswordText), u"");
  EXPECT_EQ(controls_.focus, NewPasswordText);
  EXPECT_EQ(controls_.hides, 0);
  EXPECT_FALSE(form_.OKPressed());
}

TEST_F(ChangePasswordFormTest, EqualNewPasswordsAreAcceptedEmptyOnesToo) {
  Ok(u"secret", u"new", u"new");
  EXPECT_TRUE(form_.OKPressed());
  EXPECT_EQ(form_.CurrentPasswordText(), u"secret");
  EXPECT_EQ(form_.NewPasswordText(), u"new");

  form_.Load();
  Ok(u"KRW Tolve", u"", u"");
  EXPECT_TRUE(form_.OKPressed());
  EXPECT_THAT(services_.messages, IsEmpty());
  EXPECT_EQ(controls_.hides, 2);
}

TEST_F(ChangePasswordFormTest, AnUnreadablePasswordCanOnlyBeReplacedWithTheMasterPassword) {
  using namespace change_password_form;
  MakeUnreadable(services_);
  for (const char16_t* current : {u"", u"secret"}) {
    Ok(current, u"new", u"new");
    EXPECT_FALSE(form_.OKPressed()) << test::Narrow(current);
  }
  EXPECT_EQ(services_.messages.size(), 2u);
  Ok(u"KRW Tolve", u"new", u"new");
  EXPECT_TRUE(form_.OKPressed());
  EXPECT_EQ(services_.stored, std::nullopt);  // the form only reads; storing is its caller's
}

TEST_F(ChangePasswordFormTest, ShowCharsLeavesTheRepeatedEntryMasked) {
  using namespace change_password_form;
  controls_.UserClicks(form_, ShowCharsCheck);
  EXPECT_FALSE(controls_.at(CurrentPasswordText).masked);
  EXPECT_FALSE(controls_.at(NewPasswordText).masked);
  EXPECT_TRUE(controls_.at(New2PasswordText).masked);
  controls_.UserClicks(form_, ShowCharsCheck);
  EXPECT_TRUE(controls_.at(CurrentPasswordText).masked);
  EXPECT_TRUE(controls_.at(NewPasswordText).masked);
  EXPECT_TRUE(controls_.at(New2PasswordText).masked);
}

}  // namespace
}  // namespace tandry::addin
