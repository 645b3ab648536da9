object DemoTools: TDemoPlainForm
  Left = 90
  Top = 450
  Width = 560
  Height = 380
  Caption = '控件：工具栏、酷栏与框架'
  Color = clBtnFace
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object CoolBar1: TCoolBar
    Left = 0
    Top = 0
    Width = 544
    Height = 34
    Bands = <
      item
        Control = ToolBar1
        Text = '工具'
        Width = 330
      end
      item
        Control = SearchEdit
        Text = '查找'
        Width = 200
        Break = False
      end>
    object ToolBar1: TToolBar
      Left = 0
      Top = 0
      Width = 300
      Height = 24
      Images = ImageList1
      object NewTool: TToolButton
        Caption = '新建'
        ImageIndex = 0
      end
      object OpenTool: TToolButton
        Caption = '打开'
        ImageIndex = 1
        Style = tbsDropDown
        DropdownMenu = RecentMenu
      end
      object Sep1: TToolButton
        Width = 8
        Style = tbsSeparator
      end
      object BoldTool: TToolButton
        Caption = '粗体'
        ImageIndex = 2
        Style = tbsCheck
        Down = True
      end
      object ItalicTool: TToolButton
        Caption = '斜体'
        ImageIndex = 3
        Style = tbsCheck
      end
      object Sep2: TToolButton
        Width = 8
        Style = tbsSeparator
      end
      object DisabledTool: TToolButton
        Caption = '不可用'
        ImageIndex = 0
        Enabled = False
      end
    end
    object SearchEdit: TEdit
      Left = 0
      Top = 0
      Width = 150
      Height = 22
      TabOrder = 0
    end
  end
  object ToolBar2: TToolBar
    Left = 0
    Top = 34
    Width = 544
    Height = 44
    ButtonWidth = 64
    ButtonHeight = 40
    ShowCaptions = True
    Images = ImageList1
    object CutTool: TToolButton
      Caption = '剪切'
      ImageIndex = 0
    end
    object WrapTool: TToolButton
      Caption = '换行'
      ImageIndex = 1
      Style = tbsCheck
      Down = True
    end
    object LeftTool: TToolButton
      Caption = '左对齐'
      ImageIndex = 2
      Style = tbsCheck
      Grouped = True
      Down = True
    end
    object RightTool: TToolButton
      Caption = '右对齐'
      ImageIndex = 3
      Style = tbsCheck
      Grouped = True
    end
    object MoreTool: TToolButton
      Caption = '更多'
      ImageIndex = 1
      Style = tbsDropDown
      DropdownMenu = RecentMenu
    end
  end
  object MenuToolBar: TToolBar
    Left = 0
    Top = 78
    Width = 544
    Height = 24
    Menu = ToolMenu
  end
  object Frame1: TDemoOptionsFrame
    Left = 12
    Top = 108
    TabOrder = 1
  end
  object Frame2: TDemoOptionsFrame
    Left = 276
    Top = 108
    TabOrder = 2
  end
  object CloseButton: TButton
    Left = 440
    Top = 286
    Width = 90
    Height = 30
    Caption = '关闭'
    TabOrder = 3
    OnClick = CloseClick
  end
  object ImageList1: TImageList
    Width = 16
    Height = 16
    Bitmap = {@menuglyphs.bmp@}
  end
  object ToolMenu: TMainMenu
    object FileMenu: TMenuItem
      Caption = '文件(&F)'
      object FileNew: TMenuItem
        Caption = '新建(&N)'
        ShortCut = 16462
      end
      object FileOpen: TMenuItem
        Caption = '打开(&O)…'
        ShortCut = 16463
      end
      object FileLine: TMenuItem
        Caption = '-'
      end
      object FileRecent: TMenuItem
        Caption = '最近的文件(&R)'
        object FileRecent1: TMenuItem
          Caption = '最近的文件 1'
        end
        object FileRecent2: TMenuItem
          Caption = '最近的文件 2'
        end
      end
    end
    object EditMenu: TMenuItem
      Caption = '编辑(&E)'
      object EditCut: TMenuItem
        Caption = '剪切(&T)'
      end
      object EditCopy: TMenuItem
        Caption = '复制(&C)'
      end
      object EditPaste: TMenuItem
        Caption = '粘贴(&P)'
        Enabled = False
      end
    end
    object ViewMenu: TMenuItem
      Caption = '视图(&V)'
      object ViewRuler: TMenuItem
        Caption = '标尺(&R)'
        Checked = True
      end
      object ViewGrid: TMenuItem
        Caption = '网格(&G)'
      end
    end
  end
  object RecentMenu: TPopupMenu
    object Recent1: TMenuItem
      Caption = '最近的文件 1'
    end
    object Recent2: TMenuItem
      Caption = '最近的文件 2'
    end
  end
end
