#include "platform/sharedlibrary.h"

#include <dlfcn.h>

TSharedLibrary::TSharedLibrary(const char* fileName)
    : Handle(dlopen(fileName, RTLD_NOW | RTLD_LOCAL)) {}

void* TSharedLibrary::Symbol(const char* name) const {
  return Handle ? dlsym(Handle, name) : nullptr;
}
