#include "core/commands/CommandData.h"

#include <QStringList>

namespace {

using R = CommandRule;
using C = CheckSource;
using G = CommandCategory;
using P = CommandPresence;

// Help contexts of the commands: 4 file, 5 editing (nodes, branches, devices, pipes, seams,
// transformation, branch splitting), 6 view, 7 schemas, checks, calculation and mine
// properties, 8 free numbers and settings, 9 windows, 10 help.
constexpr int hFile = 4, hEdit = 5, hView = 6, hMine = 7, hService = 8, hWindow = 9, hHelp = 10, hHistory = 30;

// clang-format off
const CommandInfo kCommands[] = {
    // File
    {"actFileNew", "&Создать", "", "Создать|Создать новую шахту", hFile, 0, R::Always, C::None, G::File, P::Ready, "document-new"},
    {"actFileOpen", "&Открыть...", "Ctrl+O", "Открыть|Открыть файл исходных данных шахты", hFile, 0, R::Always, C::None, G::File, P::Ready, "document-open"},
    {"actFileSave", "&Сохранить", "Ctrl+S", "Сохранить|Сохранить шахту в файле", hFile, 0, R::DocumentModified, C::None, G::File, P::Ready, "document-save"},
    {"actFileSaveAs", "Сохранить &как...", "", "Сохранить как|Сохранить шахту в файле с другим именем или в другом формате", hFile, 1, R::Document, C::None, G::File, P::Ready, "document-save-as"},
    {"actFileSaveAll", "Сохранить &все", "", "Сохранить все|Сохранить все открытые шахты", hFile, 2, R::Document, C::None, G::File, P::Ready, ""},
    {"actFileClose", "&Закрыть", "", "Закрыть|Закрыть окно текущей шахты", hFile, 0, R::Document, C::None, G::File, P::Ready, "window-close"},
    {"actFileCloseAll", "З&акрыть все", "", "Закрыть все|Закрыть окна всех шахт", hFile, 1, R::Document, C::None, G::File, P::Ready, ""},
    {"actImport", "&Импорт...", "", "Импорт|Открыть файл обмена данными", hFile, 0, R::Always, C::None, G::File, P::Ready, ""},
    {"actExport", "&Экпорт...", "", "Экспорт|Сохранить шахту или результаты в файле обмена данными", hFile, 0, R::Document, C::None, G::File, P::Ready, ""},
    {"actFilePrint", "&Печать...", "Ctrl+P", "Печать|Печать таблиц шахты", hFile, 0, R::Document, C::None, G::File, P::Ready, "document-print"},
    {"actExit", "&Выход", "", "Выход|Завершить работу с программой", hFile, 0, R::Always, C::None, G::File, P::Ready, "application-exit"},

    // Edit (the undo and redo captions name the step they take: the main window adds it)
    {"actUndo", "&Отменить", "Ctrl+Z", "Отменить|Отменить последнюю правку шахты", hHistory, 0, R::Undo, C::None, G::Edit, P::Ready, "edit-undo"},
    {"actRedo", "&Повторить", "Ctrl+Y", "Повторить|Повторить отмененную правку шахты", hHistory, 0, R::Redo, C::None, G::Edit, P::Ready, "edit-redo", false, "Ctrl+Shift+Z"},
    {"actHistory", "&История правок", "", "История правок|Правки шахты по порядку: вернуться к любой из них", hHistory, 0, R::Document, C::None, G::Edit, P::Ready, "document-open-recent"},
    {"actEditorMode", "&Редактор", "F2", "Редактор|Включить или выключить редактирование ячеек таблицы", hEdit, 0, R::TableFocused, C::EditorMode, G::Edit, P::Ready, "document-edit"},
    {"actCutToClipboard", "&Вырезать", "Ctrl+X", "Вырезать|Вырезать узлы или ветви в буфер обмена", hEdit, 0, R::CutCopy, C::None, G::Edit, P::Ready, "edit-cut", true},
    {"actCopyToClipboard", "&Копировать", "Ctrl+C", "Копировать|Копировать узлы или ветви в буфер обмена", hEdit, 0, R::CutCopy, C::None, G::Edit, P::Ready, "edit-copy", true},
    {"actPasteFromClipboard", "В&ставить", "Ctrl+V", "Вставить|Вставить узлы или ветви из буфера обмена", hEdit, 0, R::Paste, C::None, G::Edit, P::Ready, "edit-paste", true},
    {"actGoto", "&Найти...", "Ctrl+F", "Найти|Найти узел, ветвь, позицию ПЛА или оборудование", hEdit, 0, R::Goto, C::None, G::Edit, P::Ready, "edit-find"},

    // View: filters
    {"actFilterAllUzels", "Все &узлы", "", "Все узлы|Показывать в таблице все узлы", hView, 0, R::FirstPage, C::NodeFilter, G::View, P::Ready, ""},
    {"actFilterSurfUzels", "&Поверхностные узлы", "", "Поверхностные узлы|Показывать в таблице только поверхностные узлы", hView, 1, R::FirstPage, C::NodeFilter, G::View, P::Ready, ""},
    {"actFilterAllBranches", "Все &ветви", "", "Все ветви|Показывать в таблице все ветви", hView, 0, R::FirstPage, C::BranchFilter, G::View, P::Ready, ""},
    {"actFilterIncidBranches", "&Инцидентные ветви", "", "Инцидентные ветви|Показывать в таблице только ветви текущего узла", hView, 1, R::FirstPage, C::BranchFilter, G::View, P::Ready, ""},

    // View: node sorts (tag = sort key)
    {"actUzelsByNums", "По номерам", "Ctrl+0", "По номерам|Упорядочить узлы по номерам", hView, 0, R::FirstPage, C::None, G::View, P::Ready, ""},
    {"actUzelsByX", "По координате X", "", "По координате X|Упорядочить узлы по координате X", hView, 1, R::FirstPage, C::None, G::View, P::Ready, ""},
    {"actUzelsByY", "По координате Y", "", "По координате Y|Упорядочить узлы по координате Y", hView, 2, R::FirstPage, C::None, G::View, P::Ready, ""},
    {"actUzelsByZ", "По координате Z", "", "По координате Z|Упорядочить узлы по координате Z", hView, 3, R::FirstPage, C::None, G::View, P::Ready, ""},

    // View: branch sorts
    {"actBranchesByNums", "По номерам", "Ctrl+1", "По номерам|Упорядочить ветви по номерам", hView, 0, R::FirstPage, C::None, G::View, P::Ready, ""},
    {"actBranchesBySUzels", "По начальным узлам", "Ctrl+2", "По начальным узлам|Упорядочить ветви по номерам начальных узлов", hView, 1, R::FirstPage, C::None, G::View, P::Ready, ""},
    {"actBranchesByEUzels", "По конечным узлам", "Ctrl+3", "По конечным узлам|Упорядочить ветви по номерам конечных узлов", hView, 2, R::FirstPage, C::None, G::View, P::Ready, ""},
    {"actBranchesByLength", "По длине", "", "По длине|Упорядочить ветви по длине", hView, 3, R::FirstPage, C::None, G::View, P::Ready, ""},
    {"actBranchesByAngle", "По углу", "", "По углу|Упорядочить ветви по углу наклона", hView, 4, R::FirstPage, C::None, G::View, P::Ready, ""},
    {"actBranchesByRemarks", "По заметкам", "", "По заметкам|Упорядочить ветви по комментариям", hView, 5, R::FirstPage, C::None, G::View, P::Ready, ""},
    {"actBranchesByDiam", "По диаметрам труб", "", "По диаметрам труб|Упорядочить ветви по диаметрам пожарно-оросительных труб", hView, 6, R::FirstPage, C::None, G::View, P::Ready, ""},
    {"actBranchesByWall", "По толщине стенки труб", "", "По толщине стенки труб|Упорядочить ветви по толщине стенки труб", hView, 7, R::FirstPage, C::None, G::View, P::Ready, ""},
    {"actBranchesByKoef", "По коэффициентам местн. сопротивлений", "", "По коэффициентам|Упорядочить ветви по коэффициентам местных сопротивлений", hView, 8, R::FirstPage, C::None, G::View, P::Ready, ""},

    // View: sorts of the result tables (they have no effect in this system)
    {"actHBranchesByNum", "По номерам", "", "По номерам|Упорядочить участки трубопровода по номерам ветвей", hView, 0, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesBySNum", "По начальным узлам", "", "По начальным узлам|Упорядочить участки по начальным узлам", hView, 1, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByENum", "По конечным узлам", "", "По конечным узлам|Упорядочить участки по конечным узлам", hView, 2, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByL", "По длине", "", "По длине|Упорядочить участки по длине", hView, 3, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByK", "По коэффициентам", "", "По коэффициентам|Упорядочить участки по коэффициентам местных сопротивлений", hView, 4, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByLK", "По расчетной длине", "", "По расчетной длине|Упорядочить участки по расчетной длине", hView, 5, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByAngle", "По углу", "", "По углу|Упорядочить участки по углу наклона", hView, 6, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByQ", "По расходам", "", "По расходам|Упорядочить участки по расходу воды", hView, 7, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByV", "По скоростям", "", "По скоростям|Упорядочить участки по скорости воды", hView, 8, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByD", "По диаметрам", "", "По диаметрам|Упорядочить участки по диаметрам труб", hView, 9, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesBy100i", "По величине 100i", "", "По величине 100i|Упорядочить участки по гидравлическому уклону", hView, 10, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByR", "По сопротивлениям", "", "По сопротивлениям|Упорядочить участки по сопротивлению", hView, 11, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByDZ", "По перепадам высот", "", "По перепадам высот|Упорядочить участки по разности высотных отметок", hView, 12, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByH1", "По давлениям в нач. узлам", "", "По давлениям в начальных узлах|Упорядочить участки по давлению в начальном узле", hView, 13, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByH2", "По давлениям в кон. узлах", "", "По давлениям в конечных узлах|Упорядочить участки по давлению в конечном узле", hView, 14, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actHBranchesByRemark", "По заметках", "", "По заметкам|Упорядочить участки по комментариям ветвей", hView, 15, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actWashersByNum", "По номерам", "", "По номерам|Упорядочить шайбы по номерам кранов", hView, 0, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actWashersByP", "По давлению", "", "По давлению|Упорядочить шайбы по давлению до шайбы", hView, 1, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actWashersByDeltaPress", "По снижению давления", "", "По снижению давления|Упорядочить шайбы по снижению давления", hView, 2, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actWashersPAfter", "По давлению после шайбы", "", "По давлению после шайбы|Упорядочить шайбы по давлению после шайбы", hView, 3, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actWashersByDiam", "По диаметрам", "", "По диаметрам|Упорядочить шайбы по расчетному диаметру", hView, 4, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actWashersByFactD", "По фактическому диаметру", "", "По фактическому диаметру|Упорядочить шайбы по фактическому диаметру", hView, 5, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actLowerByNum", "По номерам", "", "По номерам|Упорядочить краны по номерам", hView, 0, R::ResultsPage, C::None, G::View, P::Ready, ""},
    {"actLowerByP", "По давлению", "", "По давлению|Упорядочить краны по давлению", hView, 1, R::ResultsPage, C::None, G::View, P::Ready, ""},

    // View: tables, panels, colour modes, toolbars
    {"actUzelGrid", "Таблица &узлов", "", "Таблица узлов|Показать или скрыть таблицу узлов", hView, 0, R::FirstPageView, C::NodeTable, G::View, P::Ready, ""},
    {"actBranchGrid", "Таблица &ветвей", "", "Таблица ветвей|Показать или скрыть таблицу ветвей", hView, 0, R::FirstPageView, C::BranchTable, G::View, P::Ready, ""},
    {"actMessageView", "&Сообщения", "Ctrl+Shift+M", "Сообщения|Показать или скрыть список сообщений проверок", hView, 0, R::MessageView, C::Messages, G::View, P::Ready, ""},
    {"actAnalizeView", "&Анализ результатов", "Ctrl+Shift+A", "Анализ результатов|Анализ результатов расчета", hView, 0, R::Never, C::None, G::View, P::Ready, ""},
    {"actWashersView", "Диаметры дроссельных шайб", "", "Диаметры дроссельных шайб|Показать или скрыть таблицу дроссельных шайб", hView, 0, R::SecondPageView, C::Washers, G::View, P::Ready, ""},
    {"actStdColors", "&Стандартная", "Ctrl+Shift+S", "Стандартная подсветка|Стандартные цвета таблицы ветвей", hView, 0, R::FirstPage, C::ColorMode, G::View, P::Ready, ""},
    {"actLayerColors", "По &пластам", "Ctrl+Shift+L", "Подсветка по пластам|Окрашивать ветви цветами пластов", hView, 1, R::FirstPage, C::ColorMode, G::View, P::Ready, ""},
    {"actPLFColors", "По по&зициям ПЛА", "", "Подсветка по позициям ПЛА|Окрашивать ветви цветами позиций ПЛА", hView, 2, R::FirstPage, C::ColorMode, G::View, P::Ready, ""},
    {"actDeviceView", "&Панель оборудования", "Ctrl+Shift+E", "Панель оборудования|Показать или скрыть панель оборудования", hView, 0, R::Always, C::DeviceView, G::View, P::Ready, ""},
    {"actViewStdBar", "&Стандартная", "", "Стандартная|Показать или скрыть панель \"Стандартная\"", hView, 0, R::Always, C::Toolbar, G::View, P::Ready, ""},
    {"actViewEditBar", "&Редактирование", "", "Редактирование|Показать или скрыть панель \"Редактирование\"", hView, 1, R::Always, C::Toolbar, G::View, P::Ready, ""},
    {"actViewUzelBar", "Узлы", "", "Узлы|Показать или скрыть панель \"Узлы\"", hView, 2, R::Always, C::Toolbar, G::View, P::Ready, ""},
    {"actViewBranchesBar", "Выработки", "", "Выработки|Показать или скрыть панель \"Ветви\"", hView, 3, R::Always, C::Toolbar, G::View, P::Ready, ""},
    {"actViewMineBar", "&Шахта", "", "Шахта|Показать или скрыть панель \"Шахта\"", hView, 4, R::Always, C::Toolbar, G::View, P::Ready, ""},
    {"actResetBars", "&Сбросить", "", "Сбросить|Показать все панели инструментов на их исходных местах", hView, 0, R::Always, C::None, G::View, P::Ready, ""},

    // Mine: nodes, branches, pipes and devices
    {"actAddUzel", "&Добавить узел", "", "Добавить узел|Добавить новый узел в таблицу", hEdit, 0, R::FirstPage, C::None, G::Mine, P::Ready, "list-add"},
    {"actDelUzel", "&Удалить узел", "", "Удалить узел|Удалить текущий узел", hEdit, 0, R::FirstPageWithNodes, C::None, G::Mine, P::Ready, "list-remove"},
    {"actSurfacedUzel", "П&оверхностный узел", "", "Поверхностный узел|Сделать текущий узел поверхностным или подземным", hEdit, 0, R::FirstPageWithNodes, C::SurfacedNode, G::Mine, P::Ready, ""},
    {"actAddBranch", "&Добавить ветвь", "", "Добавить ветвь|Добавить новую ветвь в таблицу", hEdit, 0, R::FirstPage, C::None, G::Mine, P::Ready, "list-add"},
    {"actDelBranch", "&Удалить ветвь", "", "Удалить ветвь|Удалить текущую ветвь", hEdit, 0, R::FirstPageWithBranches, C::None, G::Mine, P::Ready, "list-remove"},
    {"actEditPipe", "&Трубопровод...", "Ctrl+E", "Трубопровод|Трубы текущей ветви и оборудование на них", hEdit, 0, R::PipeEditor, C::None, G::Mine, P::Ready, ""},
    {"actAllDevices", "&Все оборудование...", "", "Все оборудование|Таблица всего оборудования шахты", hEdit, 0, R::DocumentWithBranches, C::None, G::Mine, P::Ready, ""},
    {"actAddDevice", "Добавить оборудование...", "", "Добавить оборудование|Добавить оборудование выбранного типа на текущую ветвь", hEdit, 0, R::FirstPageWithBranches, C::None, G::Mine, P::Ready, ""},
    {"actEditDevice", "Править оборудование...", "", "Править оборудование|Изменить выбранное оборудование", hEdit, 0, R::DeviceSelected, C::None, G::Mine, P::Ready, ""},
    {"actDelDevice", "Удалить оборудование", "", "Удалить оборудование|Удалить выбранное оборудование", hEdit, 0, R::DeviceSelected, C::None, G::Mine, P::Ready, ""},
    {"actEditPumpDB", "Насосы...", "", "Насосы|База данных характеристик насосов", hEdit, 0, R::Always, C::None, G::Mine, P::Ready, ""},
    {"actEditRedDB", "Гидроредукторы...", "", "Гидроредукторы|База данных характеристик гидроредукторов", hEdit, 0, R::Always, C::None, G::Mine, P::Ready, ""},
    {"actEditLayers", "&Пласты...", "Ctrl+L", "Пласты|Пласты шахты", hEdit, 0, R::Document, C::None, G::Mine, P::Ready, ""},
    {"actEditPLF", "По&зиции ПЛА...", "", "Позиции ПЛА|Позиции плана ликвидации аварий", hEdit, 1, R::Document, C::None, G::Mine, P::Ready, ""},
    {"actTopologyChema", "&Топологическая схема", "F8", "Топологическая схема|Объемная топологическая схема шахты", hMine, 0, R::Document, C::None, G::Mine, P::Ready, ""},
    {"actTechnoChema", "Т&ехнологическая схема", "F7", "Технологическая схема|Технологическая схема трубопровода шахты", hMine, 0, R::Document, C::None, G::Mine, P::Ready, ""},
    {"actCheckTopology", "&Проверить топологию", "", "Проверить топологию|Проверить нумерацию и связность узлов и ветвей", hMine, 0, R::Document, C::None, G::Mine, P::Ready, ""},
    {"actStatistica", "Информация о шахте", "", "Информация о шахте|Сводные сведения о шахте", hMine, 0, R::Document, C::None, G::Mine, P::Ready, ""},
    {"actMineProperties", "&Свойства...", "", "Свойства|Свойства шахты", hMine, 0, R::Document, C::None, G::Mine, P::Ready, ""},
    {"actShowOnSchema", "Перейти на схему", "", "Перейти на схему|Показать текущий объект на технологической схеме", hMine, 0, R::FocusedTableHasRows, C::None, G::Mine, P::Ready, ""},

    // Calculation
    {"actCheckWaterPipes", "Проверить т&рубопровод", "Ctrl+F9", "Проверить трубопровод|Проверить топологию, номера оборудования и пожарно-оросительный трубопровод", hMine, 0, R::Document, C::None, G::Calc, P::Ready, ""},
    {"actHydroCalc", "Рассчитать", "F9", "Рассчитать|Гидравлический расчет пожарно-оросительного трубопровода", hMine, 0, R::Document, C::None, G::Calc, P::Ready, ""},
    {"actCalculate", "&Расчет трубопровода", "", "Расчет|Гидравлический расчет трубопровода", hMine, 0, R::Never, C::None, G::Calc, P::Hidden, ""},
    {"actCalcWashers", "Расчет дроссельных &шайб", "", "Расчет шайб|Расчет дроссельных шайб", hMine, 1, R::Never, C::None, G::Calc, P::Hidden, ""},
    {"actCalcLowers", "&Недостаток давления", "", "Недостаток давления|Поиск кранов с недостаточным давлением", hMine, 2, R::Never, C::None, G::Calc, P::Hidden, ""},
    {"actUseProjectedPipes", "Учитывать проектируемые трубы", "", "Учитывать проектируемые трубы|Учитывать проектируемые трубы при проверках", hMine, 0, R::Document, C::UseProjectedPipes, G::Calc, P::Ready, ""},

    // Service
    {"actTransform", "&Трансформация узлов...", "Ctrl+R", "Трансформация узлов|Сдвиг, масштабирование и поворот узлов", hEdit, 0, R::FirstPageWithNodes, C::None, G::Service, P::Ready, ""},
    {"actBranchBreak", "&Разбить ветвь...", "Ctrl+B", "Разбить ветвь|Разбить текущую ветвь на несколько ветвей", hEdit, 0, R::FirstPageWithBranches, C::None, G::Service, P::Ready, ""},
    {"actAutoSetWallWidth", "&Диаметр труб и толщина стенок...", "Ctrl+W", "Диаметр труб и толщина стенок|Изменить диаметры и толщину стенок группами", hEdit, 0, R::FirstPageWithBranches, C::None, G::Service, P::Ready, ""},
    {"actEditDiamColors", "Цвета диаметров...", "", "Цвета диаметров|Цвета труб по диаметрам", hEdit, 0, R::DocumentWithBranches, C::None, G::Service, P::Ready, ""},
    {"actRenumDevices", "Перенумеровать оборудование...", "", "Перенумеровать оборудование|Дать оборудованию новые номера по порядку ветвей", hEdit, 0, R::DocumentWithBranches, C::None, G::Service, P::Ready, ""},
    {"actMineIntegrate", "Объединить шахты...", "", "Объединить шахты|Добавить в шахту узлы и ветви другой шахты", hEdit, 0, R::AnyDocument, C::None, G::Service, P::Ready, ""},
    {"actFreeNumbers", "&Свободные номера", "Ctrl+N", "Свободные номера|Найти свободные номера узлов, ветвей и оборудования", hService, 0, R::Document, C::None, G::Service, P::Ready, ""},
    {"actParams", "&Параметры...", "", "Параметры|Настройка программы", hService, 0, R::Always, C::None, G::Service, P::Ready, "preferences-system"},

    // Window (the tile mode is the tag: 0 horizontal, 1 vertical)
    {"actWinCascade", "&Каскад", "", "Каскад|Расположить окна каскадом", hWindow, 0, R::Document, C::None, G::Window, P::Ready, ""},
    {"actWinVertTile", "&Горизонтально", "", "Горизонтально|Расположить окна одно под другим", hWindow, 0, R::Document, C::None, G::Window, P::Ready, ""},
    {"actWinHorizTile", "&Вертикально", "", "Вертикально|Расположить окна одно рядом с другим", hWindow, 1, R::Document, C::None, G::Window, P::Ready, ""},
    {"actWinMinimize", "&Свернуть все", "", "Свернуть все|Свернуть все окна", hWindow, 0, R::Document, C::None, G::Window, P::Ready, ""},
    {"actWinArrangeIcons", "Выстроить &значки", "", "Выстроить значки|Выстроить значки свернутых окон", hWindow, 0, R::Document, C::None, G::Window, P::Ready, ""},

    // Help
    {"actHelpTopics", "&Справка по Ирвате", "", "Справка|Содержание справки", hHelp, 0, R::Always, C::None, G::Help, P::Ready, "help-contents"},
    {"actHelpAbout", "&О программе...", "", "О программе|Версия программы и сведения о компьютере", hHelp, 0, R::Always, C::None, G::Help, P::Ready, "help-about"},
};
// clang-format on

QString hintPart(const char* hint, bool longPart)
{
    const QString text = QString::fromUtf8(hint);
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return text;
    return longPart ? text.mid(bar + 1) : text.left(bar);
}

std::vector<MenuEntry> commands(std::initializer_list<const char*> names)
{
    std::vector<MenuEntry> entries;
    for (const char* name : names)
        entries.push_back(std::string_view(name) == "-" ? MenuEntry::Separator() : MenuEntry::Command(name));
    return entries;
}

std::vector<MenuEntry> buildMainMenu()
{
    using M = MenuEntry;
    std::vector<MenuEntry> menu;

    menu.push_back(M::Submenu("FileMenu", "&Файл",
        {M::Command("actFileNew"), M::Command("actFileOpen"),
         M::Submenu(kRecentFilesMenuName, "Последние с&еансы", {}),
         M::Separator(), M::Command("actFileSave"), M::Command("actFileSaveAs"), M::Command("actFileSaveAll"),
         M::Separator(), M::Command("actFileClose"), M::Command("actFileCloseAll"),
         M::Separator(), M::Command("actImport"), M::Command("actExport"),
         M::Separator(), M::Command("actFilePrint"),
         M::Separator(), M::Command("actExit")}));

    menu.push_back(M::Submenu("EditMenu", "&Правка",
        commands({"actUndo", "actRedo", "actHistory", "-", "actEditorMode", "-", "actCutToClipboard", "actCopyToClipboard", "actPasteFromClipboard", "-", "actGoto"})));

    menu.push_back(M::Submenu("ViewMenu", "&Вид",
        {M::Submenu("FilterMenu", "&Фильтр",
             commands({"actFilterAllUzels", "actFilterSurfUzels", "-", "actFilterAllBranches", "actFilterIncidBranches"})),
         M::Submenu("SortMenu", "&Сортировка",
             {M::Submenu("SortUzelsMenu", "&Узлы", commands({"actUzelsByNums", "actUzelsByX", "actUzelsByY", "actUzelsByZ"})),
              M::Submenu("SortBranchesMenu", "&Выработки",
                  commands({"actBranchesByNums", "actBranchesBySUzels", "actBranchesByEUzels", "actBranchesByLength",
                            "actBranchesByAngle", "actBranchesByRemarks", "actBranchesByDiam", "actBranchesByWall",
                            "actBranchesByKoef"})),
              M::Submenu("SortHBranchesMenu", "Участки &трубопровода",
                  commands({"actHBranchesByNum", "actHBranchesBySNum", "actHBranchesByENum", "actHBranchesByL",
                            "actHBranchesByK", "actHBranchesByLK", "actHBranchesByAngle", "actHBranchesByQ",
                            "actHBranchesByV", "actHBranchesByD", "actHBranchesBy100i", "actHBranchesByR",
                            "actHBranchesByDZ", "actHBranchesByH1", "actHBranchesByH2", "actHBranchesByRemark"})),
              M::Submenu("SortWashersMenu", "&Дроссельные шайбы",
                  commands({"actWashersByNum", "actWashersByP", "actWashersByDeltaPress", "actWashersPAfter",
                            "actWashersByDiam", "actWashersByFactD"})),
              M::Submenu("SortLowersMenu", "&Недостача давления", commands({"actLowerByNum", "actLowerByP"}))}),
         M::Separator(), M::Command("actUzelGrid"), M::Command("actBranchGrid"), M::Command("actMessageView"),
         M::Command("actAnalizeView"), M::Command("actWashersView"),
         M::Separator(),
         M::Submenu("ColorsMenu", "&Цветовая подстветка", commands({"actStdColors", "actLayerColors", "actPLFColors"})),
         M::Separator(), M::Command("actDeviceView"),
         M::Submenu(kToolbarsMenuName, "Панели &инструментов",
             commands({"actViewStdBar", "actViewEditBar", "actViewUzelBar", "actViewBranchesBar", "actViewMineBar", "-",
                       "actResetBars"}))}));

    menu.push_back(M::Submenu("MineMenu", "&Шахта",
        {M::Submenu("UzelsMenu", "&Узлы", commands({"actAddUzel", "actDelUzel", "-", "actSurfacedUzel"})),
         M::Submenu("BranchesMenu", "&Ветви", commands({"actAddBranch", "actDelBranch"})),
         M::Submenu("PipesMenu", "Тру&бопровод",
             commands({"actEditPipe", "actAllDevices", "-", "actAddDevice", "actEditDevice", "actDelDevice", "-",
                       "actEditPumpDB", "actEditRedDB"})),
         M::Separator(), M::Command("actEditLayers"), M::Command("actEditPLF"),
         M::Separator(), M::Command("actTopologyChema"), M::Command("actTechnoChema"),
         M::Separator(), M::Command("actCheckTopology"), M::Command("actStatistica"),
         M::Separator(), M::Command("actMineProperties")}));

    menu.push_back(M::Submenu("CalcMenu", "&Расчет",
        commands({"actHydroCalc", "actCheckWaterPipes", "-", "actCalculate", "actCalcWashers", "actCalcLowers", "-", "actUseProjectedPipes"})));

    // The calculator item and its separator are inserted before the last entry at start.
    menu.push_back(M::Submenu(kServiceMenuName, "С&ервис",
        commands({"actTransform", "actBranchBreak", "actAutoSetWallWidth", "actEditDiamColors", "actRenumDevices", "-",
                  "actMineIntegrate", "-", "actFreeNumbers", "-", "actParams"})));

    menu.push_back(M::Submenu(kWindowMenuName, "&Окно",
        commands({"actWinCascade", "actWinVertTile", "actWinHorizTile", "-", "actWinMinimize", "actWinArrangeIcons"})));

    menu.push_back(M::Submenu("HelpMenu", "&Справка", commands({"actHelpTopics", "-", "actHelpAbout"})));
    return menu;
}

}  // namespace

QString CommandInfo::ShortHint() const { return hintPart(hint, false); }
QString CommandInfo::LongHint() const { return hintPart(hint, true); }

std::span<const CommandInfo> CommandTable() { return kCommands; }

int CommandIndex(QStringView name)
{
    const auto table = CommandTable();
    for (size_t i = 0; i < table.size(); ++i)
        if (name == QLatin1String(table[i].name))
            return int(i);
    return -1;
}

const CommandInfo* FindCommand(QStringView name)
{
    const int index = CommandIndex(name);
    return index < 0 ? nullptr : &CommandTable()[size_t(index)];
}

MenuEntry MenuEntry::Command(const char* name)
{
    MenuEntry entry;
    entry.kind = Kind::Command;
    entry.name = QString::fromUtf8(name);
    return entry;
}

MenuEntry MenuEntry::Separator()
{
    MenuEntry entry;
    entry.kind = Kind::Separator;
    return entry;
}

MenuEntry MenuEntry::Submenu(const char* objectName, const char* caption, std::vector<MenuEntry> entries)
{
    MenuEntry entry;
    entry.kind = Kind::Submenu;
    entry.name = QString::fromUtf8(objectName);
    entry.caption = QString::fromUtf8(caption);
    entry.entries = std::move(entries);
    return entry;
}

const std::vector<MenuEntry>& MainMenu()
{
    static const std::vector<MenuEntry> menu = buildMainMenu();
    return menu;
}

const std::vector<ToolbarInfo>& Toolbars()
{
    static const std::vector<ToolbarInfo> toolbars = {
        {QStringLiteral("StdBar"), QStringLiteral("Стандартная"), 0,
         {QStringLiteral("actFileNew"), QStringLiteral("actFileOpen"), QStringLiteral("actFileSave"), QStringLiteral("-"),
          QStringLiteral("actUndo"), QStringLiteral("actRedo"), QStringLiteral("actHistory"), QStringLiteral("-"),
          QStringLiteral("actFilePrint")}},
        {QStringLiteral("EditBar"), QStringLiteral("Редактирование"), 1,
         {QStringLiteral("actCutToClipboard"), QStringLiteral("actCopyToClipboard"), QStringLiteral("actPasteFromClipboard"),
          QStringLiteral("-"), QStringLiteral("actGoto")}},
        {QStringLiteral("UzelBar"), QStringLiteral("Узлы"), 2,
         {QStringLiteral("actAddUzel"), QStringLiteral("actDelUzel"), QStringLiteral("-"), QStringLiteral("actSurfacedUzel")}},
        {QStringLiteral("BranchesBar"), QStringLiteral("Ветви"), 3,
         {QStringLiteral("actAddBranch"), QStringLiteral("actDelBranch"), QStringLiteral("-"), QStringLiteral("actEditPipe"),
          QStringLiteral("actAllDevices")}},
        {QStringLiteral("MineBar"), QStringLiteral("Шахта"), 4,
         {QStringLiteral("actCheckTopology"), QStringLiteral("actHydroCalc"), QStringLiteral("-"),
          QStringLiteral("actTopologyChema"), QStringLiteral("actTechnoChema")}},
    };
    return toolbars;
}
