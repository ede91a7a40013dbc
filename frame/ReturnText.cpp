#include "frame/ReturnText.h"

#include <map>
#include <utility>

namespace ReturnText {
namespace {

typedef std::map<std::pair<const void*, const char*>, CString> TextMap;

TextMap& Texts()
{
    // Never destroyed: a host may still call the flat functions while statics are torn down.
    static TextMap* s_pTexts = new TextMap;
    return *s_pTexts;
}

}  // namespace

LPSTR Keep(const void* pObject, const char* pszFunction, const CString& str)
{
    CString& kept = Texts()[std::make_pair(pObject, pszFunction)];
    kept = str;
    return kept.GetBuffer(0);
}

void Forget(const void* pObject)
{
    TextMap& texts = Texts();
    auto first = texts.lower_bound(std::make_pair(pObject, (const char*)NULL));
    auto last = first;
    while (last != texts.end() && last->first.first == pObject)
        ++last;
    texts.erase(first, last);
}

int Count()
{
    return (int)Texts().size();
}

}  // namespace ReturnText
