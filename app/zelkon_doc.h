// The document: it holds, reads and writes nothing.
#pragma once

namespace zelkon {

class CZelkonDoc {
public:
    bool OnNewDocument() { return true; }
};

}  // namespace zelkon
