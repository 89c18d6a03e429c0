#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include "platform/CodePage.h"

std::string Narrow(const std::wstring& text) { return Utf8FromWide(text); }

ScriptedDialogs::ScriptedDialogs() : previous_(InstallDialogs(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
  InstallDialogs(previous_);
  EXPECT_TRUE(replies_.empty()) << replies_.size() << " scripted dialog answer(s) were not used";
}

ScriptedDialogs& ScriptedDialogs::Answer(DialogAnswer answer) {
  DialogReply r;
  r.answer = answer;
  replies_.push_back(r);
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerFile(const std::wstring& path, int filterIndex) {
  DialogReply r;
  r.text = path;
  r.filterIndex = filterIndex;
  replies_.push_back(r);
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerText(const std::wstring& text) {
  DialogReply r;
  r.text = text;
  replies_.push_back(r);
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerColor(unsigned color) {
  DialogReply r;
  r.color = color;
  replies_.push_back(r);
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerFont(const FontChoice& font) {
  DialogReply r;
  r.font = font;
  replies_.push_back(r);
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerPrint(const PrintChoice& choice) {
  DialogReply r;
  r.print = choice;
  replies_.push_back(r);
  return *this;
}

ScriptedDialogs& ScriptedDialogs::Cancel() { return Answer(DialogAnswer::Cancel); }

const DialogCall& ScriptedDialogs::Last() const {
  static const DialogCall none{DialogKind::Message, DialogButtons::Ok, L"", L"(no dialog)"};
  return calls_.empty() ? none : calls_.back();
}

std::optional<DialogReply> ScriptedDialogs::Next(const DialogCall& call) {
  calls_.push_back(call);
  if (replies_.empty()) {
    ADD_FAILURE() << "unexpected dialog: " << Narrow(call.caption) << ": " << Narrow(call.text);
    return std::nullopt;
  }
  DialogReply r = replies_.front();
  replies_.pop_front();
  return r;
}

DialogAnswer ScriptedDialogs::ShowBox(DialogKind kind, DialogButtons buttons,
                                      const std::wstring& caption, const std::wstring& text) {
  const auto r = Next({kind, buttons, caption, text});
  if (!r)
    return buttons == DialogButtons::Ok      ? DialogAnswer::Ok
           : buttons == DialogButtons::YesNo ? DialogAnswer::No
                                             : DialogAnswer::Cancel;
  return r->answer;
}

std::optional<FileDialogResult> ScriptedDialogs::PickFile(DialogKind kind,
                                                          const FileDialogRequest& request) {
  lastFileRequest = request;
  const auto r = Next({kind, DialogButtons::Ok, request.title, request.filter});
  if (!r || !r->text) return std::nullopt;
  return FileDialogResult{*r->text, r->filterIndex};
}

std::optional<unsigned> ScriptedDialogs::PickColor(unsigned) {
  const auto r = Next({DialogKind::Color, DialogButtons::Ok, L"", L""});
  return r ? r->color : std::nullopt;
}

std::optional<FontChoice> ScriptedDialogs::PickFont(const FontRequest& request) {
  lastFontRequest = request;
  const auto r = Next({DialogKind::Font, DialogButtons::Ok, L"", request.initial.face});
  return r ? r->font : std::nullopt;
}

std::optional<PrintChoice> ScriptedDialogs::PickPrint(const PrintRequest& request) {
  lastPrintRequest = request;
  const auto r = Next({DialogKind::Print, DialogButtons::Ok, L"", L""});
  return r ? r->print : std::nullopt;
}

std::optional<std::wstring> ScriptedDialogs::InputBox(const std::wstring& caption,
                                                      const std::wstring& prompt,
                                                      const std::wstring&) {
  const auto r = Next({DialogKind::Input, DialogButtons::Ok, caption, prompt});
  return r ? r->text : std::nullopt;
}

// Modal forms ------------------------------------------------------------------------------

ModalScript::ModalScript() : previous_(Form::SetModalHandler([this](Form& form) { Run(form); })) {}

ModalScript::~ModalScript() {
  Form::SetModalHandler(std::move(previous_));
  EXPECT_TRUE(handlers_.empty()) << handlers_.size() << " modal form(s) expected but not shown";
}

ModalScript& ModalScript::Then(std::function<void(Form&)> handler) {
  handlers_.push_back(std::move(handler));
  return *this;
}

void ModalScript::Run(Form& form) {
  ++shown_;
  captions_.push_back(form.Caption());
  if (handlers_.empty()) {
    ADD_FAILURE() << "unexpected modal form: " << Narrow(form.Caption());
    form.SetModalResult(mrCancel);
    return;
  }
  auto handler = std::move(handlers_.front());
  handlers_.pop_front();
  handler(form);
  if (form.ModalResult() == mrNone) {
    ADD_FAILURE() << "the test left the modal form open: " << Narrow(form.Caption());
    form.SetModalResult(mrCancel);
  }
}
