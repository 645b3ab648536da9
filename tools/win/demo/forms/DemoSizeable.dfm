object DemoSizeable: TDemoPlainForm
  Left = 40
  Top = 360
  Width = 360
  Height = 260
  Caption = '可调大小的窗口'
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object TopPanel: TPanel
    Left = 0
    Top = 0
    Width = 352
    Height = 44
    Align = alTop
    Caption = '在这里按右键打开菜单'
    PopupMenu = PopupMenu1
  end
  object ListBox1: TListBox
    Left = 0
    Top = 44
    Width = 352
    Height = 180
    Align = alClient
    TabOrder = 0
    Items.Strings = (
      '拖动边框改变大小'
      '双击标题栏最大化'
      '右键点击上面的面板')
  end
  object PopupMenu1: TPopupMenu
    object Copy1: TMenuItem
      Caption = '复制(&C)'
      ShortCut = 16451
    end
    object Paste1: TMenuItem
      Caption = '粘贴(&P)'
      Enabled = False
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object Wrap1: TMenuItem
      Caption = '自动换行(&W)'
      Checked = True
      OnClick = CheckClick
    end
  end
end
