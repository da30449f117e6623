#ifndef VANTREL_MODULE_MODULE_REGISTRATION_H_
#define VANTREL_MODULE_MODULE_REGISTRATION_H_

class Vantrel;

// The module object InitModule registered with the host, for as long as it
// lives. The 2016 host deletes that object itself before it frees the
// library; the current edition leaves it to ExitModule. The destructor
// tells the library, so that ExitModule deletes only an object the host has
// not destroyed, and never one twice.

// Remembers `module` as the registered object.
void RememberRegisteredModule(Vantrel* module);
// Called by the destructor: `module` no longer needs deleting.
void ForgetRegisteredModule(const Vantrel* module);
// The registered object still alive, or null; the library forgets it.
Vantrel* TakeRegisteredModule();

#endif  // VANTREL_MODULE_MODULE_REGISTRATION_H_
