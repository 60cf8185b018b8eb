#pragma once
// A program installed in a fresh folder (support/installedprogram.h) with its application object.

#include "app/tlomtak.h"
#include "support/installedprogram.h"

class Installation final : public InstalledProgram<TLomtak> {};
