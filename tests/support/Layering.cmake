# Fails when an include does not name its folder from the project root, or
# when a layer reaches upward:
#   platform/core  <  platform/gui  <  platform/widgets
#   library, privileged and browser's node use platform/core and gui only;
#   icontheme uses platform/core only;
#   browser's cell and data source may use widgets; nothing but app/ (and the
#   tests) includes app/; the privileged tool sees the protocol, not the runner.
# Above library/, the picture systems are known only through their seam
# (library/PictureSystem.h): no code there includes a system's own header,
# casts to a system's class or asks which mode it has.
set(found "")
file(GLOB_RECURSE sources RELATIVE "${PROJECT_DIR}"
    "${PROJECT_DIR}/platform/*.cpp" "${PROJECT_DIR}/platform/*.h"
    "${PROJECT_DIR}/library/*.cpp" "${PROJECT_DIR}/library/*.h"
    "${PROJECT_DIR}/icontheme/*.cpp" "${PROJECT_DIR}/icontheme/*.h"
    "${PROJECT_DIR}/browser/*.cpp" "${PROJECT_DIR}/browser/*.h"
    "${PROJECT_DIR}/privileged/*.cpp" "${PROJECT_DIR}/privileged/*.h"
    "${PROJECT_DIR}/app/*.cpp" "${PROJECT_DIR}/app/*.h"
    "${PROJECT_DIR}/bench/*.cpp" "${PROJECT_DIR}/tests/*.cpp" "${PROJECT_DIR}/tests/*.h"
    "${PROJECT_DIR}/resources/*.cpp")

function(forbid source pattern why)
    foreach(line ${includes})
        if(line MATCHES "${pattern}")
            set(found "${found}\n${source}: ${line} (${why})" PARENT_SCOPE)
        endif()
    endforeach()
endfunction()

# The same for any line of the source, not only its includes.
function(forbid_code source pattern why)
    file(STRINGS "${PROJECT_DIR}/${source}" lines REGEX "${pattern}")
    foreach(line ${lines})
        set(found "${found}\n${source}: ${line} (${why})" PARENT_SCOPE)
    endforeach()
endfunction()

set(system_classes "(MenuExtrasSystem|IconThemeSystem)")

foreach(source ${sources})
    file(STRINGS "${PROJECT_DIR}/${source}" includes REGEX "^#include \"")
    foreach(line ${includes})
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
        if(header MATCHES "^ui_")
            continue() # made by uic in the build tree
        endif()
        if(NOT header MATCHES "/" OR NOT EXISTS "${PROJECT_DIR}/${header}")
            set(found "${found}\n${source}: ${line} (not a path from the project root)")
        endif()
    endforeach()
    set(core_layer FALSE)
    if(source MATCHES "^(library|privileged)/" OR source MATCHES "^browser/(FSNodeInfo|SetPreview)")
        set(core_layer TRUE)
    endif()
    if(source MATCHES "^platform/")
        forbid(${source} "\"(library|icontheme|browser|privileged|app)/" "platform reaches upward")
    endif()
    if(source MATCHES "^platform/core/")
        forbid(${source} "\"platform/(gui|widgets)/" "core reaches a higher floor")
    endif()
    if(source MATCHES "^platform/gui/")
        forbid(${source} "\"platform/widgets/" "gui reaches widgets")
    endif()
    if(core_layer)
        forbid(${source} "\"(platform/widgets|app)/" "a core layer reaches widgets or the app")
    endif()
    if(source MATCHES "^icontheme/")
        forbid(${source} "\"(platform/gui|platform/widgets|library|browser|privileged|app)/"
            "icontheme uses platform/core only")
    endif()
    if(source MATCHES "^(library|icontheme|privileged|browser|platform)/")
        forbid(${source} "\"app/" "reaches the app")
    endif()
    # Each system has a folder of its own under library/; neither knows the
    # other, and the shared library knows them only where it picks one.
    if(source MATCHES "^library/[^/]+$" AND NOT source MATCHES "^library/SystemChoice")
        forbid(${source} "\"library/(menuextras|icontheme)/" "the shared library reaches a system")
    endif()
    if(source MATCHES "^library/menuextras/")
        forbid(${source} "\"library/icontheme/" "one system reaches the other")
    endif()
    if(source MATCHES "^library/icontheme/")
        forbid(${source} "\"library/menuextras/" "one system reaches the other")
    endif()
    if(source MATCHES "^(app|browser|platform|privileged)/")
        forbid(${source} "\"library/(menuextras|icontheme)/"
            "a system is known only through the seam")
        forbid_code(${source} "dynamic_cast<[^>]*${system_classes}"
            "a cast to a system's class")
        forbid_code(${source} "Mode::" "a question of which system is active")
    endif()
    if(source MATCHES "^privileged/tool/")
        forbid(${source} "\"privileged/AuthRunner" "the tool sees only the protocol")
        forbid(${source} "\"platform/core/(Bundle|FileManager|PathString|Log)" "the tool has no Qt")
    endif()
endforeach()
if(found)
    message(FATAL_ERROR "Layering:${found}")
endif()
