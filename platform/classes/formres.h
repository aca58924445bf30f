// Form resources: the descriptions of forms and data modules compiled into the
// program, registered by class name, from which their instances are built.
//
// A library registers its descriptions from one explicit function:
//   RegisterFormResource("TAboutBox", kAboutBoxDescription);
// and a form built from its description calls, once the object is whole (after
// the most derived constructor has run, since setters and event binding reach
// the derived class):
//   InitInheritedComponent(form, TForm::StaticClass());
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/classes/filer.h"

DX_EXCEPTION(EResNotFound, Exception);

// description must live as long as the program (a literal or static array).
// Registering a class name again replaces its description.
void RegisterFormResource(std::string_view className, std::string_view description);
void UnregisterFormResource(std::string_view className);
// Class names compare ignoring case.
std::optional<std::string_view> FindFormResource(std::string_view className);

// Reads the descriptions of instance's class and of its ancestors below
// rootAncestor, ancestors first, into instance; Loaded runs once at the end.
// False when none of those classes has a description.
bool InitInheritedComponent(TComponent* instance, TClass rootAncestor);
// Reads the description registered under resName into instance (null: makes the
// root from the description's class). Raises EResNotFound when there is none.
TComponent* ReadComponentRes(std::string_view resName, TComponent* instance);

// A description in a file.
TComponent* ReadComponentResFile(const std::string& fileName, TComponent* instance);
void WriteComponentResFile(const std::string& fileName, TComponent* instance);
