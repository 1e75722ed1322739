#pragma once

// Carries out the function of one button's assignment when the button is
// pressed: one switch on the function code. Runs on the user-interface
// thread and returns when the action has been sent; actions that wait
// (window switching, combinations, macros) hold the thread while they run.

#include <string>

#include "actions/FaceBookFunction.h"
#include "config/ButtonAssignment.h"

namespace actions {

// Codes without an action (group entries, the keyboard keys' own functions,
// codes that are no function) do nothing.
void ExecuteAssignment(const config::ButtonAssignment& record, CFaceBookFunction& socialSite);

// What the event dispatcher runs for each press it accepts.
class AssignmentExecutor {
 public:
  virtual ~AssignmentExecutor() = default;
  virtual void Execute(const config::ButtonAssignment& record) = 0;
};

// The program's executor: ExecuteAssignment with the main window's
// social-site object.
class ActionExecutor final : public AssignmentExecutor {
 public:
  explicit ActionExecutor(CFaceBookFunction& socialSite) : socialSite_(socialSite) {}
  void Execute(const config::ButtonAssignment& record) override { ExecuteAssignment(record, socialSite_); }

 private:
  CFaceBookFunction& socialSite_;
};

}  // namespace actions
