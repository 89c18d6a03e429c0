#pragma once
// Test stand-ins for the programs' dialogs and modal forms. Every message box and common
// dialog is recorded and answered from a script; a call the script did not expect fails the
// test and gets a refusing answer, so no test ever waits on a window nobody will close.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Form.h"

struct DialogCall {
  DialogKind kind;
  DialogButtons buttons;
  std::wstring caption;
  std::wstring text;
};

// One scripted answer: the button for a message box, or the value a dialog returns
// (an empty optional stands for Cancel).
struct DialogReply {
  DialogAnswer answer = DialogAnswer::Ok;
  std::optional<std::wstring> text;  // file path or input text
  std::optional<unsigned> color;
  std::optional<FontChoice> font;
  std::optional<PrintChoice> print;
  int filterIndex = 1;
};

class ScriptedDialogs final : public Dialogs {
 public:
  ScriptedDialogs();            // installs itself
  ~ScriptedDialogs() override;  // puts the previous dialogs back

  // Queue answers, taken in order.
  ScriptedDialogs& Answer(DialogAnswer answer);
  ScriptedDialogs& AnswerFile(const std::wstring& path, int filterIndex = 1);
  ScriptedDialogs& AnswerText(const std::wstring& text);
  ScriptedDialogs& AnswerColor(unsigned color);
  ScriptedDialogs& AnswerFont(const FontChoice& font);
  ScriptedDialogs& AnswerPrint(const PrintChoice& choice);
  ScriptedDialogs& Cancel();

  const std::vector<DialogCall>& Calls() const { return calls_; }
  const DialogCall& Last() const;
  std::size_t Pending() const { return replies_.size(); }
  void ClearCalls() { calls_.clear(); }

  DialogAnswer ShowBox(DialogKind kind, DialogButtons buttons, const std::wstring& caption,
                       const std::wstring& text) override;
  std::optional<FileDialogResult> PickFile(DialogKind kind,
                                           const FileDialogRequest& request) override;
  std::optional<unsigned> PickColor(unsigned initial) override;
  std::optional<FontChoice> PickFont(const FontRequest& request) override;
  std::optional<FontRequest> lastFontRequest;
  std::optional<PrintChoice> PickPrint(const PrintRequest& request) override;
  std::optional<std::wstring> InputBox(const std::wstring& caption, const std::wstring& prompt,
                                       const std::wstring& initial) override;

  // The last file request and print request seen (to check filters and ranges).
  FileDialogRequest lastFileRequest;
  PrintRequest lastPrintRequest;

 private:
  std::optional<DialogReply> Next(const DialogCall& call);

  Dialogs* previous_;
  std::deque<DialogReply> replies_;
  std::vector<DialogCall> calls_;
};

// Stands in for the user of modal forms: each ShowModal takes the next handler, which must end
// the form (a button click, SetModalResult). A modal form without a handler fails the test
// and is cancelled.
class ModalScript {
 public:
  ModalScript();   // installs itself
  ~ModalScript();  // a handler left unused fails the test

  ModalScript& Then(std::function<void(Form&)> handler);
  // The form, cast to what the test expects; fails the test when it is another form.
  template <typename T>
  ModalScript& Then(std::function<void(T&)> handler) {
    return Then([handler](Form& f) { handler(Expect<T>(f)); });
  }
  std::size_t Shown() const { return shown_; }
  const std::vector<std::wstring>& Captions() const { return captions_; }

 private:
  template <typename T>
  static T& Expect(Form& f) {
    T* form = dynamic_cast<T*>(&f);
    if (!form) throw std::logic_error("another form was shown modally");
    return *form;
  }
  void Run(Form& form);

  Form::ModalHandler previous_;
  std::deque<std::function<void(Form&)>> handlers_;
  std::size_t shown_ = 0;
  std::vector<std::wstring> captions_;
};

std::string Narrow(const std::wstring& text);
