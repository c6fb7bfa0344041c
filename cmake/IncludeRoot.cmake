# Every library is reached through an include root of its own, made in the build tree at
# configure time: a folder holding a single symbolic link, named after the library, to the
# library's sources. `#include "engine/Prediction.h"` then resolves only where the engine's
# root is on the include path, which is in the engine itself and in whatever links it, so
# an include of a library a target does not link fails to compile. A library in a subfolder
# (shell/session) is reached by its path: `#include "shell/session/Session.h"`.
#
# A link rather than copies of the headers: the compiler and editors open the real file,
# there is nothing to keep in step, and the source tree stays as it is.
set(POLVANE_INCLUDE_ROOTS ${PROJECT_BINARY_DIR}/include)

# polvane_include_root(TARGET FOLDER SCOPE [NAME]): FOLDER's own root on TARGET's include
# path with SCOPE (PUBLIC for a library, PRIVATE for a program). The link is named NAME,
# FOLDER's own name unless given; a NAME with a slash gets the folders above the link, and
# its root is named with underscores (include/shell_session/shell/session).
function(polvane_include_root target folder scope)
  if(ARGC GREATER 3)
    set(name ${ARGV3})
  else()
    get_filename_component(name ${folder} NAME)
  endif()
  string(REPLACE "/" "_" rootName ${name})
  set(root ${POLVANE_INCLUDE_ROOTS}/${rootName})
  get_filename_component(parent ${root}/${name} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${folder} ${root}/${name} SYMBOLIC)
  target_include_directories(${target} ${scope} ${root})
endfunction()
