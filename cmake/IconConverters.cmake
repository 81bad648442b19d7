# Finds a program that really turns the SVG icon into PNG files. A program of the right
# name is not enough: a wrapper, another tool called `convert` or a half-installed package
# may stand first on PATH. Each candidate is run once at configure time on the icon
# itself, and only one that writes a real PNG is kept; the search goes on past the others.
#
# Sets QUENDRY_ICON_CONVERTER to "rsvg" or "imagemagick" (empty when none works) and
# QUENDRY_ICON_CONVERTER_PROGRAM to the program.

set(_quendry_icon_svg ${CMAKE_CURRENT_LIST_DIR}/../packaging/quendryedit.svg)
set(_quendry_icon_trial_dir ${CMAKE_BINARY_DIR}/icon-converter-trial)

# The command line that draws the SVG as a SIZE x SIZE PNG with PROGRAM of KIND.
function(quendry_icon_command out kind program size png)
  if(kind STREQUAL "rsvg")
    set(cmd ${program} --width=${size} --height=${size} --output=${png} ${_quendry_icon_svg})
  else()
    # Drawn large and scaled down, so that small sizes are smoothed.
    set(cmd ${program} -background none -density 1152 ${_quendry_icon_svg} -resize ${size}x${size} PNG32:${png})
  endif()
  set(${out} ${cmd} PARENT_SCOPE)
endfunction()

# True in OUT when PROGRAM of KIND names itself as expected and converts the icon.
function(quendry_icon_converter_works out kind program)
  set(${out} FALSE PARENT_SCOPE)
  if(kind STREQUAL "rsvg")
    set(version_flag --version)
    set(version_text "rsvg-convert")
  else()
    set(version_flag -version)
    set(version_text "ImageMagick")
  endif()
  execute_process(COMMAND ${program} ${version_flag} OUTPUT_VARIABLE said ERROR_QUIET RESULT_VARIABLE rc TIMEOUT 20)
  if(NOT rc EQUAL 0 OR NOT said MATCHES "${version_text}")
    return()
  endif()
  file(REMOVE_RECURSE ${_quendry_icon_trial_dir})
  file(MAKE_DIRECTORY ${_quendry_icon_trial_dir})
  set(png ${_quendry_icon_trial_dir}/trial.png)
  quendry_icon_command(cmd ${kind} ${program} 16 ${png})
  execute_process(COMMAND ${cmd} OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE rc TIMEOUT 60)
  if(rc EQUAL 0 AND EXISTS ${png})
    file(READ ${png} signature LIMIT 8 HEX)
    if(signature STREQUAL "89504e470d0a1a0a")
      set(${out} TRUE PARENT_SCOPE)
    endif()
  endif()
  file(REMOVE_RECURSE ${_quendry_icon_trial_dir})
endfunction()

function(quendry_validate_rsvg result program)
  quendry_icon_converter_works(ok rsvg ${program})
  set(${result} ${ok} PARENT_SCOPE)
endfunction()

function(quendry_validate_imagemagick result program)
  quendry_icon_converter_works(ok imagemagick ${program})
  set(${result} ${ok} PARENT_SCOPE)
endfunction()

find_program(QUENDRY_RSVG_PROGRAM rsvg-convert VALIDATOR quendry_validate_rsvg)
find_program(QUENDRY_MAGICK_PROGRAM NAMES convert VALIDATOR quendry_validate_imagemagick)

if(QUENDRY_RSVG_PROGRAM)
  set(QUENDRY_ICON_CONVERTER rsvg)
  set(QUENDRY_ICON_CONVERTER_PROGRAM ${QUENDRY_RSVG_PROGRAM})
elseif(QUENDRY_MAGICK_PROGRAM)
  set(QUENDRY_ICON_CONVERTER imagemagick)
  set(QUENDRY_ICON_CONVERTER_PROGRAM ${QUENDRY_MAGICK_PROGRAM})
else()
  set(QUENDRY_ICON_CONVERTER "")
  set(QUENDRY_ICON_CONVERTER_PROGRAM "")
endif()
