#include "windows/form3.h"

#include "windows/form3_declaration.h"

namespace tallow {

Form3::Form3(Tallow_Idler& module, DeclaredForm& self) : module_(module), self_(self.Bind<kForm3Declaration>(*this)) {}

}  // namespace tallow
