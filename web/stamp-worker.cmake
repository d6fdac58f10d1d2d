# Writes the service worker with the build's name, a hash of every file it
# keeps, so that each build has a cache of its own.
#   cmake -DSITE=folder -DFILES=a;b;c -DTEMPLATE=sw.js -P stamp-worker.cmake
cmake_minimum_required(VERSION 3.16)
set(hashes "")
set(quoted "")
foreach(name IN LISTS FILES)
  file(SHA256 "${SITE}/${name}" hash)
  string(APPEND hashes "${hash}")
  list(APPEND quoted "\"${name}\"")
endforeach()
string(SHA256 build "${hashes}")
string(SUBSTRING "${build}" 0 16 build)
list(JOIN quoted ", " files)
file(READ "${TEMPLATE}" worker)
string(REPLACE "@BUILD@" "${build}" worker "${worker}")
string(REPLACE "@FILES@" "${files}" worker "${worker}")
file(WRITE "${SITE}/sw.js" "${worker}")
