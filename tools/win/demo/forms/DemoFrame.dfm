object DemoFrame: TDemoFrame
  Left = 320
  Top = 24
  Width = 680
  Height = 500
  Caption = 'MDI 框架'
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  FormStyle = fsMDIForm
  Menu = MainMenu1
  WindowMenu = Window1
  Position = poDesigned
  object ToolPanel: TPanel
    Left = 0
    Top = 0
    Width = 672
    Height = 36
    Align = alTop
    object NewButton: TButton
      Left = 4
      Top = 4
      Width = 90
      Height = 28
      Caption = '新文档'
      TabOrder = 0
      OnClick = NewChildClick
    end
    object TileButton: TButton
      Left = 98
      Top = 4
      Width = 90
      Height = 28
      Caption = '平铺'
      TabOrder = 1
      OnClick = TileClick
    end
    object CascadeButton: TButton
      Left = 192
      Top = 4
      Width = 90
      Height = 28
      Caption = '层叠'
      TabOrder = 2
      OnClick = CascadeClick
    end
    object SystemFrameButton: TButton
      Left = 286
      Top = 4
      Width = 120
      Height = 28
      Caption = '系统边框文档'
      TabOrder = 3
      OnClick = NewSystemFrameChildClick
    end
  end
  object ImageList1: TImageList
    Width = 16
    Height = 16
    Bitmap = {@menuglyphs.bmp@}
  end
  object MainMenu1: TMainMenu
    Images = ImageList1
    object File1: TMenuItem
      Caption = '文件(&F)'
      object New1: TMenuItem
        Caption = '新文档(&N)'
        ShortCut = 16462
        ImageIndex = 0
        Default = True
        OnClick = NewChildClick
      end
      object Open1: TMenuItem
        Caption = '打开(&O)...'
        ShortCut = 16463
        ImageIndex = 1
        OnClick = MessageClick
      end
      object Save1: TMenuItem
        Caption = '保存(&S)'
        ShortCut = 16467
        ImageIndex = 2
        Enabled = False
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Recent1: TMenuItem
        Caption = '最近的文件(&R)'
        object RecentA: TMenuItem
          Caption = '&1 报告.txt'
          OnClick = MessageClick
        end
        object RecentB: TMenuItem
          Caption = '&2 清单.txt'
          OnClick = MessageClick
        end
      end
      object N2: TMenuItem
        Caption = '-'
      end
      object Close1: TMenuItem
        Caption = '关闭框架(&C)'
        OnClick = CloseFrameClick
      end
    end
    object View1: TMenuItem
      Caption = '查看(&V)'
      object Toolbar1: TMenuItem
        Caption = '工具栏(&T)'
        Checked = True
        OnClick = ToolbarClick
      end
      object N3: TMenuItem
        Caption = '-'
      end
      object Small1: TMenuItem
        Caption = '小图标(&S)'
        RadioItem = True
        GroupIndex = 1
        Checked = True
        OnClick = CheckClick
      end
      object Large1: TMenuItem
        Caption = '大图标(&L)'
        RadioItem = True
        GroupIndex = 1
        OnClick = CheckClick
      end
      object N4: TMenuItem
        Caption = '-'
      end
      object Long1: TMenuItem
        Caption = '一个相当长的菜单项标题，看下拉菜单能有多宽(&W)'
        ShortCut = 24652
        OnClick = MessageClick
      end
    end
    object Window1: TMenuItem
      Caption = '窗口(&W)'
      object Tile1: TMenuItem
        Caption = '平铺(&T)'
        ImageIndex = 3
        OnClick = TileClick
      end
      object Cascade1: TMenuItem
        Caption = '层叠(&C)'
        OnClick = CascadeClick
      end
      object Arrange1: TMenuItem
        Caption = '排列图标(&A)'
        OnClick = ArrangeClick
      end
      object Next1: TMenuItem
        Caption = '下一个(&N)'
        OnClick = NextClick
      end
      object Maximize1: TMenuItem
        Caption = '最大化当前窗口(&M)'
        OnClick = MaximizeClick
      end
    end
    object Help1: TMenuItem
      Caption = '帮助(&H)'
      object About1: TMenuItem
        Caption = '关于(&A)...'
        OnClick = MessageClick
      end
    end
  end
end
