#pragma once
// The name of a class as written in the code ("TUser"), without its namespace, from its run-time
// type information. Pure; any thread.

#include <string>
#include <typeinfo>

std::string ClassNameOf(const std::type_info& type);
