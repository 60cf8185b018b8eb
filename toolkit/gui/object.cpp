#include "toolkit/gui/object.h"

#include <typeinfo>

#include "toolkit/classname.h"

std::string TObject::ClassName() const { return ClassNameOf(typeid(*this)); }
