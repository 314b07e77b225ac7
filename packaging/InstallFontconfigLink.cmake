# Links the "Traditional Arabic" alias into fontconfig's conf.d at install
# time. fontconfig reads conf.d under the system configuration folder only,
# and that folder depends on the prefix the way GNUInstallDirs has it: /etc
# for a /usr (or /) prefix, <prefix>/etc otherwise. The prefix is known for
# sure only now: the package is staged with DESTDIR under the prefix /usr.
#
# Expects glyphboard_alias_conf, glyphboard_avail_dir (relative to the prefix)
# and glyphboard_sysconf_dir (relative or absolute).
string(REGEX REPLACE "(.)/+$" "\\1" prefix "${CMAKE_INSTALL_PREFIX}")

if(IS_ABSOLUTE "${glyphboard_sysconf_dir}")
    set(sysconf "${glyphboard_sysconf_dir}")
elseif(prefix STREQUAL "/usr" OR prefix STREQUAL "/")
    set(sysconf "/etc")
else()
    set(sysconf "${prefix}/${glyphboard_sysconf_dir}")
endif()

set(target "${prefix}/${glyphboard_avail_dir}/${glyphboard_alias_conf}")
string(REGEX REPLACE "^//" "/" target "${target}")
set(installed "${sysconf}/fonts/conf.d/${glyphboard_alias_conf}")
set(link "$ENV{DESTDIR}${installed}")

message(STATUS "Installing: ${link} -> ${target}")
get_filename_component(link_dir "${link}" DIRECTORY)
file(MAKE_DIRECTORY "${link_dir}")
file(CREATE_LINK "${target}" "${link}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${installed}")
