// The library's two caches of drawing objects (empty in this program, see
// dlglib.h), released once when the program ends: the release deletes every
// non-null handle among the first count entries (the count is read again
// before each entry) and leaves both tables empty, so a second release finds
// nothing to delete.
#include "dlglib/dlglib.h"

GdiCacheEntry gdi_cache1[gdi_cache_capacity];
GdiCacheEntry gdi_cache2[gdi_cache_capacity];
int16_t gdi_cache1_count;
int16_t gdi_cache2_count;

namespace {

void release_cache(GdiCacheEntry *cache, int16_t &count) {
  for (int i = 0; i < count && i < gdi_cache_capacity; ++i) {
    if (cache[i].object != nullptr) {
      delete_gdi_object(cache[i].object);
      cache[i].object = nullptr;
    }
  }
  count = 0;
}

} // namespace

void delete_gdi_object(HGDIOBJ object) {
  if (object != nullptr) DeleteObject(object);
}

void release_gdi_caches() {
  release_cache(gdi_cache1, gdi_cache1_count);
  release_cache(gdi_cache2, gdi_cache2_count);
}
