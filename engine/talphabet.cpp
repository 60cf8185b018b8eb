#include "engine/talphabet.h"

#include <cstring>

void TAlphabet::Clear() {
  Charset = 0;
  Letters[0] = 0;
}

void TAlphabet::Init(uint8_t charset) {
  Charset = charset;
  Letters[0] = 0;
  std::memset(Map, 0, sizeof Map);
}
