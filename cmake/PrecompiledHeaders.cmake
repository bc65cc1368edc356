# A precompiled header of the Qt Widgets headers for the window's library, whose many files
# each spend about half their compile time reading them. (Precompiling GoogleTest or the Qt
# headers of the smaller targets saved nothing measurable: the header costs as much to
# precompile as it saves there.)
#
# Off by default when a compiler launcher such as ccache is set: ccache does not cache
# compilations that use a precompiled header unless told to be sloppy about it, and a warm
# cache beats a precompiled header.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(_orvel_pch_default OFF)
else()
  set(_orvel_pch_default ON)
endif()
option(ORVEL_PCH "Precompile the Qt headers of the window's library" ${_orvel_pch_default})

function(orvel_precompile_qt_headers target)
  if(ORVEL_PCH)
    target_precompile_headers(${target} PRIVATE
      <QApplication> <QComboBox> <QLabel> <QLineEdit> <QPainter> <QPushButton> <QString> <QTimer>
      <QWidget>)
  endif()
endfunction()
