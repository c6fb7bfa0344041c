# Every library is reached through an include root of its own, made in the build tree at
# configure time: a folder holding a single symbolic link, named after the library, to the
# library's sources. `#include "engine/Prediction.h"` then resolves only where the engine's
# root is on the include path, which is in the engine itself and in whatever links it, so
# an include of a library a target does not link fails to compile.
#
# A link rather than copies of the headers: the compiler and editors open the real file,
# there is nothing to keep in step, and the source tree stays as it is.
set(POLVANE_INCLUDE_ROOTS ${PROJECT_BINARY_DIR}/include)

# polvane_include_root(TARGET FOLDER SCOPE): FOLDER's own root on TARGET's include path
# with SCOPE (PUBLIC for a library, PRIVATE for a program). The link is named after FOLDER.
function(polvane_include_root target folder scope)
  get_filename_component(name ${folder} NAME)
  set(root ${POLVANE_INCLUDE_ROOTS}/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${folder} ${root}/${name} SYMBOLIC)
  target_include_directories(${target} ${scope} ${root})
endfunction()
