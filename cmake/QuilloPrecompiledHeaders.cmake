# Precompiled Qt headers. Most of a file's compile time here is spent parsing Qt's headers;
# precompiling the common ones roughly halves a clean build on a two-core machine.
set(QUILLO_PCH_CORE
  <QtCore/QObject> <QtCore/QString> <QtCore/QStringList> <QtCore/QList> <QtCore/QHash>
  <QtCore/QByteArray> <QtCore/QDateTime> <QtCore/QDir> <QtCore/QFile> <QtCore/QFileInfo>
  <QtCore/QUrl> <QtCore/QUuid> <QtCore/QTimer> <QtCore/QPointer> <QtCore/QVariant>
  <QtGui/QImage> <memory> <optional> <functional> <algorithm>)
set(QUILLO_PCH_WIDGETS ${QUILLO_PCH_CORE}
  <QtGui/QPainter> <QtGui/QPainterPath> <QtGui/QFont> <QtGui/QColor> <QtGui/QPixmap>
  <QtGui/QTextDocument> <QtWidgets/QWidget> <QtWidgets/QApplication> <QtWidgets/QLabel>
  <QtWidgets/QAbstractButton> <QtWidgets/QBoxLayout> <QtWidgets/QScrollArea>)

# Unity batches of a few files each (the libraries' files share most of their includes). 0 puts
# each library into one batch: the sanitizer build uses it, so a helper that clashes with a
# same-named one in another file of its library fails CI instead of waiting for a new batch cut.
set(QUILLO_UNITY_BATCH_SIZE 6 CACHE STRING "Files per unity batch of the libraries (0: one batch)")

# quillo_precompile(target CORE|WIDGETS): precompiled headers and unity batches.
function(quillo_precompile target kind)
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${QUILLO_UNITY_BATCH_SIZE})
  if(kind STREQUAL "WIDGETS")
    target_precompile_headers(${target} PRIVATE ${QUILLO_PCH_WIDGETS})
  else()
    target_precompile_headers(${target} PRIVATE ${QUILLO_PCH_CORE})
  endif()
endfunction()
